#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

struct Settings;

// The window-free side of the Options dialog: the part of the settings the user sets directly,
// as the dialog shows it, and how OK stores it back.
struct OptionsForm {
    bool trackWindow = true;
    bool backup = true;
    bool showStatusBar = true;
    bool storeImages = false;
    bool showMessages = true;
    int dateStyle = 6;  // one of the offered styles: 1, 3, 5 or 6
    std::wstring sizeUnits;
    std::wstring tagFormat;
    std::wstring nextTag;  // as typed
    std::array<std::wstring, 5> captions;

    bool operator==(const OptionsForm&) const = default;
};

// What the dialog shows for the settings. Whether messages show is the registry's switch, not the
// settings' flag, and is given.
OptionsForm FormOf(const Settings& settings, bool messagesShown);

// Stores every value of the form in the settings. Texts are taken as typed, empty ones too.
void StoreForm(const OptionsForm& form, Settings& settings);

// The style the dialog offers for a stored date style: 1, 3 and 5 are offered, anything else
// shows as 6 (DD/MM/YYYY).
int OfferedDateStyle(int style);

// The next tag number as the dialog shows it: unsigned, so the stored 32 bits read back alike.
std::wstring NextTagText(std::uint32_t number);
// The next tag number typed: a whole number from 1 to 4294967295, spaces around allowed. 0, and
// text that is no such number, give 1, since tags are numbered from 1.
std::uint32_t NextTagOf(std::wstring_view text);
