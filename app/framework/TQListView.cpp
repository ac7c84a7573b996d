#include "app/framework/TQListView.h"

#include <commctrl.h>

#include <algorithm>

#include "app/framework/CommonControls.h"
#include "app/framework/Program.h"

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
    HWND window = CreateWindowExW(
            WS_EX_STATICEDGE, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_OWNERDATA,
            x, y, width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ProgramInstance(), nullptr);
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

void TQListView::ShowRows(int count) {
    if (Window() == nullptr)
        return;
    ClearSelectionAndFocus();
    SendMessageW(Window(), LVM_SETITEMCOUNT, static_cast<WPARAM>(count), 0);
    InvalidateRect(Window(), nullptr, TRUE);
}

void TQListView::RedrawRow(int row) {
    if (Window() != nullptr)
        SendMessageW(Window(), LVM_REDRAWITEMS, static_cast<WPARAM>(row), static_cast<LPARAM>(row));
}

void TQListView::OnGetDisplayInfo(NMLVDISPINFOW& info) {
    LVITEMW& item = info.item;
    if ((item.mask & LVIF_TEXT) == 0 || item.pszText == nullptr || item.cchTextMax <= 0)
        return;
    const std::wstring text = source_ != nullptr ? source_->CellText(item.iItem, item.iSubItem) : std::wstring();
    const size_t length = std::min(text.size(), static_cast<size_t>(item.cchTextMax - 1));
    text.copy(item.pszText, length);
    item.pszText[length] = L'\0';
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

void TQListView::ShowSortArrow(int position, bool descending) {
    HWND header = ListView_GetHeader(Window());
    for (int i = 0; i < columnCount_; ++i) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        if (!Header_GetItem(header, i, &item))
            continue;
        const int wanted = i != position ? 0 : descending ? HDF_SORTDOWN : HDF_SORTUP;
        if ((item.fmt & (HDF_SORTUP | HDF_SORTDOWN)) == wanted)
            continue;
        item.fmt = (item.fmt & ~(HDF_SORTUP | HDF_SORTDOWN)) | wanted;
        Header_SetItem(header, i, &item);
    }
}

int TQListView::SortArrow(int position) const {
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    if (!Header_GetItem(ListView_GetHeader(Window()), position, &item))
        return 0;
    return (item.fmt & HDF_SORTUP) != 0 ? 1 : (item.fmt & HDF_SORTDOWN) != 0 ? -1 : 0;
}

void TQListView::ScaleColumnWidths(int to, int from) {
    for (int i = 0; i < columnCount_ && from > 0; ++i)
        SendMessageW(Window(), LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i), MulDiv(ColumnWidth(i), to, from));
}

void TQListView::DeleteColumn(int position) {
    if (Window() == nullptr)
        return;
    if (SendMessageW(Window(), LVM_DELETECOLUMN, static_cast<WPARAM>(position), 0) && columnCount_ > 0)
        --columnCount_;
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
    // A search past the last selected row would look at every row after it.
    const size_t selected = static_cast<size_t>(std::max(0, SelectedCount()));
    int row = -1;
    while (rows.size() < selected &&
           (row = static_cast<int>(SendMessageW(Window(), LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED))) >=
                   0)
        rows.push_back(row);
    return rows;
}

int TQListView::RowCount() const {
    return Window() == nullptr ? 0 : static_cast<int>(SendMessageW(Window(), LVM_GETITEMCOUNT, 0, 0));
}

LPARAM TQListView::RowItemData(int row) const {
    if (Window() == nullptr || source_ == nullptr || row < 0 || row >= RowCount())
        return 0;
    return source_->RowItemData(row);
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
    // Some list views repaint each row as they select it; one paint afterwards does for all.
    SetRedraw(false);
    SendMessageW(Window(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    SetRedraw(true);
}

void TQListView::SelectRows(const std::vector<int>& rows) {
    if (Window() == nullptr)
        return;
    // Every row at once is one message; row by row, each is a message and a notification.
    if (!rows.empty() && rows.size() == static_cast<size_t>(RowCount())) {
        SelectAll();
        return;
    }
    // A paint per row would cost more than selecting it.
    const bool many = rows.size() > 16;
    if (many)
        SetRedraw(false);
    for (int row : rows) {
        LVITEMW item{};
        item.stateMask = LVIS_SELECTED;
        item.state = LVIS_SELECTED;
        SendMessageW(Window(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    }
    if (many)
        SetRedraw(true);
}

void TQListView::ClearSelectionAndFocus() {
    // Every row's state at once costs a look at each row, unless only the selection is asked
    // for and nothing is selected; the focus is on one row at most.
    LVITEMW none{};
    none.stateMask = LVIS_SELECTED;
    if (SelectedCount() > 0) {
        SetRedraw(false);
        SendMessageW(Window(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
        SetRedraw(true);
    }
    const auto focused = static_cast<int>(
            SendMessageW(Window(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    if (focused >= 0) {
        none.stateMask = LVIS_FOCUSED;
        SendMessageW(Window(), LVM_SETITEMSTATE, static_cast<WPARAM>(focused), reinterpret_cast<LPARAM>(&none));
    }
}

void TQListView::FocusRow(int row) {
    if (Window() == nullptr)
        return;
    ClearSelectionAndFocus();
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(Window(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    EnsureVisible(row);
}

void TQListView::EnsureVisible(int row) {
    if (Window() != nullptr)
        SendMessageW(Window(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
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
