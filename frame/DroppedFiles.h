#pragma once

#include <string>
#include <vector>

// What files dropped on the program's windows do, window-free.

enum class DropAction { Open, Import, Refuse };

// A drop on the main window: one catalog (".xml") opens as Open opens it, or goes through Import
// when Shift is held; one spreadsheet file (".csv") goes through Import; several files, or a
// file of any other kind, are refused.
DropAction MainWindowDropAction(const std::vector<std::wstring>& paths, bool shiftHeld);

// Whether the file is a picture Specimen Details takes: BMP, GIF, JPEG or PNG, by its extension.
bool IsPictureFileName(const std::wstring& path);
