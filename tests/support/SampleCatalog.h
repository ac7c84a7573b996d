#pragma once

#include <string>
#include <vector>

#include "catalog/Catalog.h"
#include "catalog/Settings.h"
#include "catalog/Specimen.h"
#include "support/ScriptedHost.h"

// Writes a catalog file the way the program saves one: the categories in this order first,
// then the specimens (filing any category of theirs not named yet), and the settings. False
// when the file could not be written.
bool WriteCatalogFile(const std::wstring& path, const std::vector<Specimen>& specimens,
                      const std::vector<std::wstring>& categories = {}, Settings settings = {});

// A catalog file read back the way the program opens one, to see what was saved.
struct StoredCatalog {
    // False when the file cannot be read or is no catalog.
    bool Read(const std::wstring& path);

    ScriptedHost host;
    Settings settings;
    Catalog catalog{host, settings};
};
