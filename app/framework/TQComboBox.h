#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/framework/TQWindow.h"
#include "base/ChoiceList.h"

namespace TQLibrary {

// A drop-down list that keeps its own entries (text and item data), without two texts equal
// ignoring case (unless case twins are kept, as category names need) and, when sorted, in
// ascending order, and shows them in the control on demand.
// Operations that need the control do nothing, or find nothing, while there is none.
class TQComboBox : public TQWindow {
public:
    // Entries with this item data are kept but never shown by the fill operations.
    static constexpr std::int32_t kHiddenData = -1;

    explicit TQComboBox(bool sorted, CaseTwins twins = CaseTwins::Dropped);
    ~TQComboBox() override;

    bool Create(HWND parent, int id) override;
    bool Create(HWND parent, int id, int x, int y, int width, int height) override;

    // Adds the entry unless its text is there already (false then). With show, and a control,
    // also puts it into the control at the entry's place and selects it.
    bool AddEntry(const std::wstring& text, std::int32_t data, bool show = false);
    // Append every entry that is not hidden to the control (which is not emptied first) and
    // select the one with the text or the data; the first item when none has it. A text is
    // found ignoring case, but an entry of exactly that text goes before its case twins. True
    // when any entry was appended.
    bool FillAndSelectText(std::wstring_view text);
    bool FillAndSelectData(std::int32_t data);
    // The selected item's data; none when nothing is selected or there is no control.
    std::optional<std::int32_t> SelectedData() const;
    // The text of the first entry with the selected item's data (0 when nothing is selected).
    std::optional<std::wstring> SelectedEntryText() const;
    // Selects the first item with the data; the selection stays when no item has it.
    void SelectByData(std::int32_t data);
    // The selected item's text as the control shows it; text is left alone (and false
    // returned) when nothing is selected.
    bool SelectedText(std::wstring& text) const;

    const ChoiceList& Entries() const { return entries_; }

private:
    template <typename IsWanted>
    bool FillAndSelect(IsWanted isWanted);
    int ItemCount() const;
    std::int32_t Data(int index) const;
    void Select(int index);

    ChoiceList entries_;
};

}  // namespace TQLibrary
