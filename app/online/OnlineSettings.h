#pragma once

#include <optional>
#include <string>

namespace TQLibrary {

// The program's own registry values (the update schedule, the daily message's state): none when
// a value cannot be read; failed writes are ignored.
std::optional<std::wstring> ReadProgramValue(const std::wstring& name);
void WriteProgramValue(const std::wstring& name, const std::wstring& text);

// Where the daily message and the updates come from: the vendor's addresses, unless the values
// "MessageFeedAddress" and "UpdateAddress" under the program's key name a server of one's own
// (a private installation, or the tests' server on this machine).
std::wstring MessageFeedAddress();
std::wstring UpdateFolderAddress();

}  // namespace TQLibrary
