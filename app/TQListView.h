#pragma once

#include <windows.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "app/framework/TQWindow.h"

namespace TQLibrary {

// The report-style list of specimens. Each row carries a specimen's id as its item data; its
// cells hold display texts only. Operations do nothing (and answer -1 or 0) without a window.
class TQListView : public TQWindow {
public:
    TQListView();
    ~TQListView() override = default;

    bool Create(HWND parent, int id) override;
    bool Create(HWND parent, int id, int x, int y, int width, int height) override;
    // A list made elsewhere: full-row selection, and its columns counted afresh from none.
    void Attach(HWND window) override;

    // Inserts an empty row at the top carrying the item data; returns its row, 0, or -1 when
    // the control could not add it.
    int InsertRow(LPARAM itemData);
    void SetCellText(int row, int position, const std::wstring& text);
    // Changes the column at position, or adds one there when position is past the last.
    void SetColumn(int position, int width, int field, const std::wstring& caption);
    void DeleteColumn(int position);
    void DeleteAllRows();
    int FirstSelectedRow() const;
    int SelectedCount() const;
    // Every selected row, top to bottom.
    std::vector<int> SelectedRows() const;
    int RowCount() const;
    LPARAM RowItemData(int row) const;
    int ColumnWidth(int position) const;
    int ColumnCount() const { return columnCount_; }
    void SelectAll();
    // Sorts the rows by the display text of one column, ignoring letter case, and remembers
    // the choice.
    void SortRows(int position, bool descending);
    int SortColumn() const { return sortColumn_; }
    bool SortDescending() const { return sortDescending_; }
    // At most 1023 characters of one cell.
    std::wstring CellText(int row, int position) const;
    // Scrolls the rows vertically by pixels (negative: up).
    void ScrollVertically(int pixels);

private:
    struct SortTexts {
        std::unordered_map<LPARAM, std::wstring> byItem;
        bool descending;
    };
    static int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM sortTexts);
    void UseFullRowSelect();

    int columnCount_ = 0;
    int sortColumn_ = 0;
    bool sortDescending_ = false;
};

}  // namespace TQLibrary
