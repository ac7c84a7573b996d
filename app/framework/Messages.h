#pragma once

#include <windows.h>

#include <string>

namespace TQLibrary {

// Message boxes over the main window with texts and captions from the string table.

// A warning (exclamation icon), owned by the given window (a dialog that stays open behind it)
// or else by the main window.
void Warn(unsigned textId, unsigned captionId, HWND owner = nullptr);
// The same warning with a text made at run time (a file name filled in).
void WarnText(const std::wstring& text, unsigned captionId, HWND owner = nullptr);
// A notice (information icon).
void Inform(unsigned textId, unsigned captionId);
// A Yes/No question; true exactly for Yes.
bool Ask(unsigned textId, unsigned captionId);
// A Yes/No/Cancel question: IDYES, IDNO or IDCANCEL (also when the box is closed).
int AskYesNoCancel(unsigned textId, unsigned captionId);

// Opens a web address, mail link or file with the program the system has for it.
bool OpenLink(const std::wstring& link);
bool OpenLink(unsigned linkTextId);

}  // namespace TQLibrary
