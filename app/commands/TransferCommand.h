#pragma once

#include <string>

namespace TQLibrary {

class Application;

// Transfer application: copies the program, the catalog file and its picture folder into a
// folder the user picks, then says what was copied and what could not be.
void TransferApplication(Application& application);
// The same into a folder already chosen.
void TransferApplicationTo(Application& application, const std::wstring& folder);

}  // namespace TQLibrary
