#pragma once

#include <windows.h>

struct OptionsForm;

namespace TQLibrary {

// Runs Orvelle Options over the owner: the form's values on four pages, Program first. True
// for OK, with the form as the user left it; Cancel leaves the form as it was.
bool EditOptions(HWND owner, OptionsForm& form);

}  // namespace TQLibrary
