#include "app/main/SpecimenList.h"

#include <unordered_set>

#include "base/TextCompare.h"
#include "catalog/Catalog.h"
#include "catalog/Settings.h"
#include "frame/CategoryTabs.h"
#include "specimens/ListColumns.h"
#include "specimens/SpecimenFind.h"

namespace TQLibrary {

SpecimenList::SpecimenList(Catalog& catalog, Settings& settings) : catalog_(catalog), settings_(settings) {}

bool SpecimenList::Create(HWND tabStrip, int id) {
    if (!view_.Create(tabStrip, id))
        return false;
    view_.SetSource(this);
    view_.SetWheelHandler([this](int delta) { OnWheel(delta); });
    return true;
}

void SpecimenList::ApplyColumns() {
    const std::vector<std::uint8_t>& displayed = settings_.columns;
    std::vector<int> widths = ColumnWidths(settings_.columnWidths, displayed, view_.ClientWidth());
    for (size_t position = 0; position < displayed.size(); ++position) {
        const int field = displayed[position];
        view_.SetColumn(static_cast<int>(position), widths[position], field,
                        ColumnCaption(field, settings_.captions, settings_.sizeUnits));
    }
    const int count = static_cast<int>(displayed.size());
    while (view_.ColumnCount() > count) {
        const int before = view_.ColumnCount();
        view_.DeleteColumn(count);
        if (view_.ColumnCount() == before)
            break;
    }
    view_.ShowSortArrow(settings_.sortColumn, settings_.sortDescending);
}

void SpecimenList::FillList(const std::wstring& category) {
    const std::wstring listed = ListedCategory(catalog_, category);
    settings_.currentCategory = listed;
    rows_.Fill(catalog_, listed);
    SortRows(settings_.sortColumn, settings_.sortDescending);
    view_.ShowRows(static_cast<int>(rows_.Count()));
}

void SpecimenList::Clear() {
    rows_.Clear();
    rows_.ForgetAllTexts();
    view_.ShowRows(0);
}

void SpecimenList::UpdateRow(int row) {
    view_.RedrawRow(row);
}

void SpecimenList::AddRow(const Specimen& specimen) {
    rows_.AddFirst(catalog_, specimen.id);
    view_.ShowRows(static_cast<int>(rows_.Count()));
}

void SpecimenList::ShowNewRow(const Specimen& specimen) {
    rows_.AddFirst(catalog_, specimen.id);
    SortRows(settings_.sortColumn, settings_.sortDescending);
    view_.ShowRows(static_cast<int>(rows_.Count()));
    const int row = rows_.RowOf(specimen.id);
    if (row < 0)
        return;
    view_.SelectRows({row});
    view_.EnsureVisible(row);
}

void SpecimenList::Resort() {
    KeepSelectionWhile([this] { SortRows(settings_.sortColumn, settings_.sortDescending); });
}

void SpecimenList::RemoveRows(const std::vector<std::int32_t>& ids) {
    rows_.Remove(ids);
    view_.ShowRows(static_cast<int>(rows_.Count()));
}

LPARAM SpecimenList::RowItemData(int row) {
    return row < 0 ? 0 : rows_.IdAt(static_cast<size_t>(row));
}

std::wstring SpecimenList::CellText(int row, int position) {
    if (row < 0 || position < 0 || static_cast<size_t>(position) >= settings_.columns.size())
        return std::wstring();
    return rows_.Text(catalog_, static_cast<size_t>(row), settings_.columns[static_cast<size_t>(position)]);
}

void SpecimenList::SortRows(int position, bool descending) {
    view_.ShowSortArrow(position, descending);
    if (position < 0 || position >= view_.ColumnCount() || static_cast<size_t>(position) >= settings_.columns.size())
        return;
    rows_.Sort(catalog_, settings_.columns[static_cast<size_t>(position)], descending, OrderKeyIgnoringCase);
}

Specimen* SpecimenList::SelectedSpecimen() {
    const int row = view_.FirstSelectedRow();
    if (row < 0)
        return nullptr;
    return catalog_.FindSpecimen(static_cast<std::int32_t>(view_.RowItemData(row)));
}

std::vector<std::int32_t> SpecimenList::SelectedIds() const {
    std::vector<std::int32_t> ids;
    for (int row : view_.SelectedRows())
        ids.push_back(static_cast<std::int32_t>(view_.RowItemData(row)));
    return ids;
}

void SpecimenList::SelectSpecimens(const std::vector<std::int32_t>& ids) {
    const std::unordered_set<std::int32_t> wanted(ids.begin(), ids.end());
    std::vector<int> rows;
    for (size_t row = 0; row < rows_.Count() && rows.size() < wanted.size(); ++row) {
        if (wanted.contains(rows_.IdAt(row)))
            rows.push_back(static_cast<int>(row));
    }
    if (rows.empty())
        return;
    view_.FocusRow(rows.front());
    view_.SelectRows(rows);
}

void SpecimenList::SaveColumnWidths(bool track) {
    // Columns never laid out have no widths worth keeping.
    if (track && view_.ColumnCount() != static_cast<int>(settings_.columns.size()))
        return;
    std::vector<int> shown;
    for (size_t position = 0; position < settings_.columns.size(); ++position)
        shown.push_back(view_.ColumnWidth(static_cast<int>(position)));
    ::SaveColumnWidths(settings_.columnWidths, settings_.columns, track, shown);
}

void SpecimenList::OnHeaderClick(int position) {
    SortChoice sort = SortAfterHeaderClick({settings_.sortColumn, settings_.sortDescending}, position);
    settings_.sortColumn = sort.column;
    settings_.sortDescending = sort.descending;
    KeepSelectionWhile([this, sort] { SortRows(sort.column, sort.descending); });
}

template <typename Reorder>
void SpecimenList::KeepSelectionWhile(Reorder reorder) {
    // The selected specimens stay selected wherever the new order puts them.
    const std::vector<std::int32_t> selected = SelectedIds();
    reorder();
    view_.ShowRows(static_cast<int>(rows_.Count()));
    if (selected.empty())
        return;
    const std::unordered_set<std::int32_t> wanted(selected.begin(), selected.end());
    std::vector<int> rows;
    for (size_t row = 0; row < rows_.Count(); ++row) {
        if (wanted.count(rows_.IdAt(row)) != 0)
            rows.push_back(static_cast<int>(row));
    }
    view_.SelectRows(rows);
}

void SpecimenList::StartFind(const std::wstring& text) {
    rows_.StartFind(FindWords(text));
}

bool SpecimenList::FindStep(size_t budget) {
    if (!rows_.Finding())
        return true;
    if (!rows_.FindStep(catalog_, budget))
        return false;
    KeepSelectionWhile([this] { rows_.ShowFound(); });
    return true;
}

void SpecimenList::OnWheel(int delta) {
    view_.ScrollVertically(WheelScrollPixels(wheelAccumulator_, delta));
}

}  // namespace TQLibrary
