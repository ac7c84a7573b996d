#pragma once

#include <string>

#include "app/framework/RegistryValues.h"

namespace TQLibrary {

// The program's own file; empty when the system cannot name it or its path does not fit.
std::wstring ProgramPath();
// The folder of the program's file, or empty.
std::wstring ProgramFolder();
// The program's values in the registry, under Software\<company>\<product> of the current user.
RegistryValues ProgramValues();
// The same key for the whole machine (HKEY_LOCAL_MACHINE), which only an administrator writes.
RegistryValues MachineProgramValues();
// The path of that key below HKEY_CURRENT_USER.
std::wstring ProgramKeyPath();

}  // namespace TQLibrary
