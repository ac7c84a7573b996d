#pragma once

namespace TQLibrary {

// The switch of the daily message, the registry value "HintShow" under the program's key. Only
// a stored 0 switches the messages off; a missing or unreadable value leaves them on.
bool MessagesEnabled();
void SetMessagesEnabled(bool enabled);

}  // namespace TQLibrary
