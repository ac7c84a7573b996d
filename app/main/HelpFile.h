#pragma once

#include <windows.h>

#include <string>

namespace TQLibrary {

// The help file's path in a folder: the product name and ".chm".
std::wstring HelpFilePath(const std::wstring& folder);

// Writes the help file carried in the program to the path, replacing an older copy. False when
// it could not: the resource is missing, or the file is in use (the viewer holds it open).
bool WriteHelpFile(const std::wstring& path);

// Shows a help file in a viewer; false only when there is no viewer on the system. A viewer
// that is there but fails to show the file counts as shown: there is nothing more to offer.
using HelpViewer = bool (*)(HWND owner, const std::wstring& path);
// The HTML Help viewer (hhctrl.ocx), looked up at run time.
bool ShowInHtmlHelp(HWND owner, const std::wstring& path);

// The Help command: writes the help file into the folder (the user's own data folder) and shows
// it. A write that fails is passed over and the copy already there is shown; without a viewer,
// a message tells the user where the file is.
void ShowHelp(HWND owner, const std::wstring& folder, HelpViewer viewer = ShowInHtmlHelp);

}  // namespace TQLibrary
