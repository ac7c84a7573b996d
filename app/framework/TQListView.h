#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "app/framework/TQWindow.h"

namespace TQLibrary {

// What an owner-data list shows: the list asks for each row's item data and cell texts when it
// needs them, so its size costs nothing until rows are drawn.
class ListRowSource {
public:
    virtual LPARAM RowItemData(int row) = 0;
    virtual std::wstring CellText(int row, int position) = 0;

protected:
    ~ListRowSource() = default;
};

// The report-style list of specimens, an owner-data list: the rows live in a ListRowSource,
// each standing for a specimen's id as its item data. Operations do nothing (and answer -1 or 0)
// without a window.
class TQListView : public TQWindow {
public:
    TQListView();
    ~TQListView() override = default;

    bool Create(HWND parent, int id) override;
    bool Create(HWND parent, int id, int x, int y, int width, int height) override;
    // A list made elsewhere: full-row selection, and its columns counted afresh from none.
    void Attach(HWND window) override;

    void SetSource(ListRowSource* source) { source_ = source; }
    // The source now has this many rows, none of them selected; all are drawn afresh.
    void ShowRows(int count);
    // The row's texts changed: it is drawn afresh.
    void RedrawRow(int row);
    // The list asks for a cell's text to draw.
    void OnGetDisplayInfo(NMLVDISPINFOW& info);

    // Changes the column at position, or adds one there when position is past the last.
    void SetColumn(int position, int width, int field, const std::wstring& caption);
    void DeleteColumn(int position);
    // Every column's width times to / from: the columns keep their size on a monitor of
    // another scale.
    void ScaleColumnWidths(int to, int from);
    // The header shows the system's sort arrow on the column at position (up for ascending) and
    // on no other; none at all for a position past the last column.
    void ShowSortArrow(int position, bool descending);
    // The arrow the header shows on the column: 1 up, -1 down, 0 none.
    int SortArrow(int position) const;
    int FirstSelectedRow() const;
    int SelectedCount() const;
    // Every selected row, top to bottom.
    std::vector<int> SelectedRows() const;
    int RowCount() const;
    LPARAM RowItemData(int row) const;
    int ColumnWidth(int position) const;
    int ColumnCount() const { return columnCount_; }
    void SelectAll();
    // Selects these rows besides any selected already.
    void SelectRows(const std::vector<int>& rows);
    void EnsureVisible(int row);
    // The row alone selected, with the focus rectangle, and scrolled into view.
    void FocusRow(int row);
    // No row selected, none focused.
    void ClearSelectionAndFocus();
    // At most 1023 characters of one cell, as the list itself gets it.
    std::wstring CellText(int row, int position) const;
    // Scrolls the rows vertically by pixels (negative: up).
    void ScrollVertically(int pixels);

private:
    void UseFullRowSelect();

    ListRowSource* source_ = nullptr;
    int columnCount_ = 0;
};

}  // namespace TQLibrary
