#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/framework/TQListView.h"
#include "specimens/ListRows.h"

class Catalog;
struct Settings;
struct Specimen;

namespace TQLibrary {

// The specimen list of the main window: its columns follow the settings, its rows the current
// category. The rows are drawn from the catalog itself, so callers hold the catalog lock for
// everything that reads it, and nothing may change the catalog on another thread while rows
// are shown: a load empties the list first (Clear).
// The rows shown are those that match the find words. What a specimen is found by is kept
// between finds: whoever changes a specimen tells the list (ForgetText), and whoever may have
// changed many calls ForgetAllTexts.
class SpecimenList : private ListRowSource {
public:
    SpecimenList(Catalog& catalog, Settings& settings);

    // Creates the list inside the tab strip, with its wheel handler.
    bool Create(HWND tabStrip, int id);
    TQListView& View() { return view_; }

    // Lays the columns out from the settings: order, widths (computing the unset ones from the
    // list's width) and captions.
    void ApplyColumns();
    // Shows the specimens of the named category, or of every category for "<All>"; a name
    // that is no longer a category shows the first one. The name shown becomes current.
    void FillList(const std::wstring& category);
    // Shows no rows, until the next FillList; what the specimens are found by is made afresh.
    void Clear();
    // The specimen of the row changed: its texts are drawn afresh.
    void UpdateRow(int row);
    // A new specimen's row, at the top.
    void AddRow(const Specimen& specimen);
    // A new specimen's row sorted in with the others, selected alone and scrolled into view.
    void ShowNewRow(const Specimen& specimen);
    // Sorts again by the current column; the selected specimens stay selected.
    void Resort();
    // Takes out the rows of these specimens; nothing stays selected.
    void RemoveRows(const std::vector<std::int32_t>& ids);
    // The specimen of the first selected row; none when nothing is selected or it is gone.
    Specimen* SelectedSpecimen();
    std::vector<std::int32_t> SelectedIds() const;
    // Selects the rows shown of these specimens alone and scrolls the first into view.
    void SelectSpecimens(const std::vector<std::int32_t>& ids);
    // At program close: keeps the columns' widths when the window's size is tracked, or lets
    // them be computed afresh next time.
    void SaveColumnWidths(bool track);
    // A click on the header of the column at position: sorts by it, reversing on a second click.
    void OnHeaderClick(int position);
    void OnWheel(int delta);

    // Find as you type: starts choosing the rows that match the text's words; the rows shown
    // stay until FindStep has looked at every one.
    void StartFind(const std::wstring& text);
    // Looks at up to budget more rows of the find under way; true once none is under way, the
    // rows found being then shown with the selected specimens among them still selected.
    bool FindStep(size_t budget);
    bool Finding() const { return rows_.Finding(); }
    // Whether the rows shown are those of find words, not every row of the tab.
    bool Filtered() const { return rows_.HasFindWords(); }
    int ShownCount() const { return static_cast<int>(rows_.Count()); }
    // An edited specimen stays shown until the find text changes, matching or not.
    void KeepShown(std::int32_t id) { rows_.KeepShown(id); }
    void ForgetText(std::int32_t id) { rows_.ForgetText(id); }
    void ForgetAllTexts() { rows_.ForgetAllTexts(); }
    // Makes what up to budget more specimens are found by, ahead of the first find; true once
    // every specimen has it.
    bool PrepareFindTexts(size_t budget) { return rows_.PrepareTexts(catalog_, budget); }

private:
    LPARAM RowItemData(int row) override;
    std::wstring CellText(int row, int position) override;
    // Sorts by the display text of the column at position; a position past the last column
    // leaves the rows as they are.
    void SortRows(int position, bool descending);
    template <typename Reorder>
    void KeepSelectionWhile(Reorder reorder);

    TQListView view_;
    Catalog& catalog_;
    Settings& settings_;
    ListRows rows_;
    int wheelAccumulator_ = 0;
};

}  // namespace TQLibrary
