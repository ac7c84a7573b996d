#pragma once

#include <functional>
#include <string>
#include <string_view>

// Window-free decisions of the program's start.

// The catalog file named on the command line: the rest of the last token that starts with
// "-F" or "/F" (either case). Tokens are cut at runs of white space; double quotes group and
// are dropped. Empty when no token names a file.
std::wstring CatalogFileFromCommandLine(std::wstring_view commandLine);

// Where the catalog to open at the start can come from. The last two are asked only when
// needed, as they search or create folders.
struct StartupCatalogSources {
    std::wstring_view commandLine;
    std::wstring stored;                              // the catalog the program had open last
    std::function<std::wstring()> programFolderFile;  // the first markup file beside the program
    std::function<std::wstring()> defaultFile;        // a new catalog in the user's data folder
};

// The catalog to open at the start: the file the command line names, else the stored one, else
// the one beside the program, else the default file.
std::wstring StartupCatalogFile(const StartupCatalogSources& sources);
