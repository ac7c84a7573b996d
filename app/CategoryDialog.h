#pragma once

#include <windows.h>

#include <string>

namespace TQLibrary {

// Asks for a category name in the category name dialog: a new category's (isNew), or a new
// name for the one passed in. Read-only hides OK. An empty name is not accepted. True for OK,
// with the name as typed.
bool AskCategoryName(HWND owner, std::wstring& name, bool isNew, bool readOnly);

}  // namespace TQLibrary
