#pragma once

#include <windows.h>

#include <string>

namespace TQLibrary {

enum class CategoryNameUse {
    NewCategory,  // a name for a category still to be made
    Rename,       // a new name for the one passed in
};

// Asks for a category name in the category name dialog. Read-only hides OK. An empty name is
// not accepted. True for OK, with the name as typed.
bool AskCategoryName(HWND owner, std::wstring& name, CategoryNameUse use, bool readOnly);

}  // namespace TQLibrary
