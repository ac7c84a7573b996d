#pragma once

#include <windows.h>

#include <string>

class Clock;

namespace TQLibrary {

// The automatic update: when forced (the Check for Update command) or when the schedule says a
// check is due (start-up), asks whether to check now or when to ask again, then fetches the
// vendor's version file and, for a newer version whose installer arrives whole and with the
// published hash, starts that installer. True when an installer was started: the program then
// ends so that it can be replaced. Unless quiet, a check that finds nothing says so. The files
// fetched are kept in the data folder.
bool CheckForUpdate(HWND owner, const std::wstring& dataFolder, bool forced, bool quiet, const Clock& clock);

// Writes the schedule for the frequency (a string identifier): its identifier and the date of
// the next check.
void SaveUpdateSchedule(unsigned frequency, const Clock& clock);

}  // namespace TQLibrary
