#pragma once

#include <windows.h>

#include <string>

class Clock;

namespace TQLibrary {

// The daily message, at start-up: once a day, when messages are on, fetches the vendor's feed
// and shows a message not seen before in a popup, whose "Hide these messages" switches them off.
// A feed that cannot be fetched shows nothing and is not tried again that day.
void CheckMessages(HWND owner, const Clock& clock);

// The popup itself, with the message's markup drawn as rich text; false when no rich edit is
// there to show it.
bool ShowMessagePopup(HWND owner, const std::wstring& message);

}  // namespace TQLibrary
