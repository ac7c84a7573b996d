#include "app/framework/TQComboBox.h"

#include <utility>

#include "app/framework/Program.h"
#include "base/TextCompare.h"

namespace TQLibrary {

namespace {

LPARAM TextParameter(const std::wstring& text) {
    return reinterpret_cast<LPARAM>(text.c_str());
}

}  // namespace

TQComboBox::TQComboBox(bool sorted, CaseTwins twins) : entries_(sorted, OrderIgnoringCase, twins) {}

TQComboBox::~TQComboBox() = default;

bool TQComboBox::Create(HWND parent, int id) {
    return Create(parent, id, 0, 0, 0, 0);
}

bool TQComboBox::Create(HWND parent, int id, int x, int y, int width, int height) {
    HWND window = CreateWindowExW(0, L"ComboBox", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, x, y,
                                  width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  ProgramInstance(), nullptr);
    return Bind(window);
}

bool TQComboBox::AddEntry(const std::wstring& text, std::int32_t data, bool show) {
    std::optional<std::size_t> place = entries_.Add(text, data);
    if (!place)
        return false;
    if (show && Window() != nullptr) {
        LRESULT index = entries_.Sorted() ? SendMessageW(Window(), CB_INSERTSTRING, *place, TextParameter(text))
                                          : SendMessageW(Window(), CB_ADDSTRING, 0, TextParameter(text));
        if (index >= 0) {
            SendMessageW(Window(), CB_SETITEMDATA, static_cast<WPARAM>(index), data);
            Select(static_cast<int>(index));
        }
    }
    return true;
}

bool TQComboBox::FillAndSelectText(std::wstring_view text) {
    const Choice* wanted = nullptr;
    for (const Choice& entry : entries_.Entries()) {
        if (entry.data == kHiddenData || !SameTextIgnoringCase(entry.text, text))
            continue;
        if (wanted == nullptr || (SameText(entry.text, text) && !SameText(wanted->text, text)))
            wanted = &entry;
    }
    return FillAndSelect([wanted](const Choice& entry) { return &entry == wanted; });
}

bool TQComboBox::FillAndSelectData(std::int32_t data) {
    return FillAndSelect([data](const Choice& entry) { return entry.data == data; });
}

template <typename IsWanted>
bool TQComboBox::FillAndSelect(IsWanted isWanted) {
    if (Window() == nullptr)
        return false;
    bool appended = false;
    bool found = false;
    for (const Choice& entry : entries_.Entries()) {
        if (entry.data == kHiddenData)
            continue;
        LRESULT index = SendMessageW(Window(), CB_ADDSTRING, 0, TextParameter(entry.text));
        if (index < 0)
            continue;
        appended = true;
        SendMessageW(Window(), CB_SETITEMDATA, static_cast<WPARAM>(index), entry.data);
        if (isWanted(entry)) {
            Select(static_cast<int>(index));
            found = true;
        }
    }
    if (!found)
        Select(0);
    return appended;
}

std::optional<std::int32_t> TQComboBox::SelectedData() const {
    if (Window() == nullptr)
        return std::nullopt;
    const LRESULT selected = SendMessageW(Window(), CB_GETCURSEL, 0, 0);
    if (selected < 0)
        return std::nullopt;
    return Data(static_cast<int>(selected));
}

std::optional<std::wstring> TQComboBox::SelectedEntryText() const {
    if (Window() == nullptr)
        return std::nullopt;
    return entries_.TextOfData(SelectedData().value_or(0));
}

void TQComboBox::SelectByData(std::int32_t data) {
    int count = ItemCount();
    for (int index = 0; index < count; ++index) {
        if (Data(index) == data) {
            Select(index);
            return;
        }
    }
}

bool TQComboBox::SelectedText(std::wstring& text) const {
    if (Window() == nullptr)
        return false;
    LRESULT selected = SendMessageW(Window(), CB_GETCURSEL, 0, 0);
    if (selected < 0)
        return false;
    auto index = static_cast<WPARAM>(selected);
    LRESULT length = SendMessageW(Window(), CB_GETLBTEXTLEN, index, 0);
    if (length < 0)
        return false;
    std::wstring itemText(static_cast<std::size_t>(length) + 1, L'\0');
    LRESULT copied = SendMessageW(Window(), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(itemText.data()));
    if (copied < 0)
        return false;
    itemText.resize(static_cast<std::size_t>(copied));
    text = std::move(itemText);
    return true;
}

int TQComboBox::ItemCount() const {
    if (Window() == nullptr)
        return 0;
    return static_cast<int>(SendMessageW(Window(), CB_GETCOUNT, 0, 0));
}

// Item data are 32-bit values stored in the pointer-sized slot.
std::int32_t TQComboBox::Data(int index) const {
    return static_cast<std::int32_t>(SendMessageW(Window(), CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

void TQComboBox::Select(int index) {
    if (Window() != nullptr)
        SendMessageW(Window(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

}  // namespace TQLibrary
