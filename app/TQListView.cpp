#include "app/TQListView.h"

#include <commctrl.h>

#include "app/framework/CommonControls.h"
#include "app/framework/Program.h"
#include "catalog/TextCompare.h"
#include "specimens/ListColumns.h"

namespace TQLibrary {

namespace {

constexpr int kCellTextLength = 1024;  // 1023 characters and the terminator

}  // namespace

TQListView::TQListView() {
    InitialiseCommonControls();
}

bool TQListView::Create(HWND parent, int id) {
    return Create(parent, id, 0, 0, 0, 0);
}

bool TQListView::Create(HWND parent, int id, int x, int y, int width, int height) {
    HWND window = CreateWindowExW(WS_EX_STATICEDGE, WC_LISTVIEWW, L"",
                                  WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, x, y, width, height, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ProgramInstance(), nullptr);
    if (!Bind(window))
        return false;
    columnCount_ = 0;
    UseFullRowSelect();
    return true;
}

void TQListView::Attach(HWND window) {
    TQWindow::Attach(window);
    columnCount_ = 0;
    UseFullRowSelect();
}

void TQListView::UseFullRowSelect() {
    if (Window() != nullptr)
        SendMessageW(Window(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
}

int TQListView::InsertRow(LPARAM itemData) {
    if (Window() == nullptr)
        return -1;
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = 0;
    item.lParam = itemData;
    return static_cast<int>(SendMessageW(Window(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

void TQListView::SetCellText(int row, int position, const std::wstring& text) {
    if (Window() == nullptr)
        return;
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = position;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(Window(), LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void TQListView::SetColumn(int position, int width, int field, const std::wstring& caption) {
    if (Window() == nullptr)
        return;
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.pszText = const_cast<wchar_t*>(caption.c_str());
    column.iSubItem = field;
    if (position < columnCount_) {
        SendMessageW(Window(), LVM_SETCOLUMNW, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&column));
        return;
    }
    if (SendMessageW(Window(), LVM_INSERTCOLUMNW, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&column)) >=
        0)
        ++columnCount_;
}

void TQListView::DeleteColumn(int position) {
    if (Window() == nullptr)
        return;
    if (SendMessageW(Window(), LVM_DELETECOLUMN, static_cast<WPARAM>(position), 0) && columnCount_ > 0)
        --columnCount_;
}

void TQListView::DeleteAllRows() {
    if (Window() != nullptr)
        SendMessageW(Window(), LVM_DELETEALLITEMS, 0, 0);
}

int TQListView::FirstSelectedRow() const {
    if (Window() == nullptr)
        return -1;
    return static_cast<int>(SendMessageW(Window(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

int TQListView::SelectedCount() const {
    return Window() == nullptr ? 0 : static_cast<int>(SendMessageW(Window(), LVM_GETSELECTEDCOUNT, 0, 0));
}

std::vector<int> TQListView::SelectedRows() const {
    std::vector<int> rows;
    if (Window() == nullptr)
        return rows;
    int row = -1;
    while ((row = static_cast<int>(SendMessageW(Window(), LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED))) >=
           0)
        rows.push_back(row);
    return rows;
}

int TQListView::RowCount() const {
    return Window() == nullptr ? 0 : static_cast<int>(SendMessageW(Window(), LVM_GETITEMCOUNT, 0, 0));
}

LPARAM TQListView::RowItemData(int row) const {
    if (Window() == nullptr)
        return 0;
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMessageW(Window(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)))
        return 0;
    return item.lParam;
}

int TQListView::ColumnWidth(int position) const {
    if (Window() == nullptr)
        return 0;
    return static_cast<int>(SendMessageW(Window(), LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(position), 0));
}

void TQListView::SelectAll() {
    if (Window() == nullptr)
        return;
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED;
    item.state = LVIS_SELECTED;
    SendMessageW(Window(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
}

void TQListView::SortRows(int position, bool descending) {
    sortColumn_ = position;
    sortDescending_ = descending;
    if (Window() == nullptr)
        return;
    // The texts are read before sorting and found by each row's item data: the row indices
    // some versions of the control pass while sorting do not match the rows it reads from.
    SortTexts texts{{}, descending};
    const bool columnExists = position >= 0 && position < columnCount_;
    const int rows = RowCount();
    for (int row = 0; row < rows && columnExists; ++row)
        texts.byItem.emplace(RowItemData(row), CellText(row, position));
    SendMessageW(Window(), LVM_SORTITEMS, reinterpret_cast<WPARAM>(&texts),
                 reinterpret_cast<LPARAM>(&TQListView::CompareRows));
}

int CALLBACK TQListView::CompareRows(LPARAM first, LPARAM second, LPARAM sortTexts) {
    const auto* texts = reinterpret_cast<const SortTexts*>(sortTexts);
    auto a = texts->byItem.find(first);
    auto b = texts->byItem.find(second);
    // A position past the last column leaves every pair equal.
    if (a == texts->byItem.end() || b == texts->byItem.end())
        return 0;
    return CompareSortTexts(a->second, b->second, texts->descending, OrderIgnoringCase);
}

std::wstring TQListView::CellText(int row, int position) const {
    if (Window() == nullptr)
        return {};
    wchar_t text[kCellTextLength] = {};
    LVITEMW item{};
    item.iSubItem = position;
    item.pszText = text;
    item.cchTextMax = kCellTextLength;
    auto length = SendMessageW(Window(), LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    if (length <= 0)
        return {};
    return std::wstring(text, static_cast<size_t>(length < kCellTextLength ? length : kCellTextLength - 1));
}

void TQListView::ScrollVertically(int pixels) {
    if (Window() != nullptr && pixels != 0)
        SendMessageW(Window(), LVM_SCROLL, 0, pixels);
}

}  // namespace TQLibrary
