#include "app/SpecimenList.h"

#include "app/CategoryTabs.h"
#include "catalog/Catalog.h"
#include "catalog/Settings.h"
#include "specimens/ListColumns.h"

namespace TQLibrary {

SpecimenList::SpecimenList(Catalog& catalog, Settings& settings) : catalog_(catalog), settings_(settings) {}

bool SpecimenList::Create(HWND tabStrip, int id) {
    if (!view_.Create(tabStrip, id))
        return false;
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
}

void SpecimenList::FillList(const std::wstring& category) {
    const std::wstring listed = ListedCategory(catalog_, category);
    settings_.currentCategory = listed;
    view_.SetRedraw(false);
    view_.DeleteAllRows();
    for (const Specimen& specimen : catalog_.Specimens()) {
        if (Catalog::IsInFilter(specimen, listed))
            AddRow(specimen);
    }
    view_.SortRows(settings_.sortColumn, settings_.sortDescending);
    view_.SetRedraw(true);
}

void SpecimenList::UpdateRow(int row, const Specimen& specimen) {
    const std::vector<std::wstring> texts = RowTexts(specimen, settings_.columns);
    for (size_t position = 0; position < texts.size(); ++position)
        view_.SetCellText(row, static_cast<int>(position), texts[position]);
}

void SpecimenList::AddRow(const Specimen& specimen) {
    if (view_.InsertRow(specimen.id) == 0)
        UpdateRow(0, specimen);
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
    view_.SortRows(sort.column, sort.descending);
}

void SpecimenList::OnWheel(int delta) {
    view_.ScrollVertically(WheelScrollPixels(wheelAccumulator_, delta));
}

}  // namespace TQLibrary
