#pragma once

#include <string>

namespace TQLibrary {

class Application;

// Imports the file as Import does once it is chosen: the user is asked whether it replaces the
// catalog or joins it, and the result is saved at once. Callers have saved what was due and
// refused a read-only catalog.
void ImportFile(Application& application, const std::wstring& name);

}  // namespace TQLibrary
