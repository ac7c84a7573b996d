#include "catalog/OptionsForm.h"

#include <cstddef>

#include "catalog/Settings.h"

namespace {

constexpr std::uint32_t kFirstTag = 1;

bool IsSpace(wchar_t c) {
    return c == L' ' || c == L'\t';
}

std::wstring_view Trimmed(std::wstring_view text) {
    while (!text.empty() && IsSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

}  // namespace

OptionsForm FormOf(const Settings& settings, bool messagesShown) {
    OptionsForm form;
    form.trackWindow = settings.trackWindow;
    form.backup = settings.backup;
    form.showStatusBar = !settings.hideStatusBar;
    form.storeImages = settings.storeImages;
    form.showMessages = messagesShown;
    form.dateStyle = OfferedDateStyle(settings.dateStyle);
    form.sizeUnits = settings.sizeUnits;
    form.tagFormat = settings.tagFormat;
    form.nextTag = NextTagText(settings.nextTagNumber);
    form.captions = settings.captions;
    return form;
}

void StoreForm(const OptionsForm& form, Settings& settings) {
    settings.showMessages = form.showMessages;
    settings.backup = form.backup;
    settings.storeImages = form.storeImages;
    settings.trackWindow = form.trackWindow;
    settings.hideStatusBar = !form.showStatusBar;
    settings.sizeUnits = form.sizeUnits;
    settings.dateStyle = OfferedDateStyle(form.dateStyle);
    settings.tagFormat = form.tagFormat;
    settings.nextTagNumber = NextTagOf(form.nextTag);
    settings.captions = form.captions;
}

int OfferedDateStyle(int style) {
    return style == 1 || style == 3 || style == 5 ? style : Settings::kDefaultDateStyle;
}

std::wstring NextTagText(std::uint32_t number) {
    return std::to_wstring(number);
}

std::uint32_t NextTagOf(std::wstring_view text) {
    text = Trimmed(text);
    if (text.empty())
        return kFirstTag;
    std::uint64_t value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9')
            return kFirstTag;
        value = value * 10 + static_cast<std::uint64_t>(c - L'0');
        if (value > 0xFFFFFFFFu)
            return kFirstTag;
    }
    return value == 0 ? kFirstTag : static_cast<std::uint32_t>(value);
}
