#include "support/SampleCatalog.h"

#include "catalog/CatalogFile.h"
#include "support/Fakes.h"

bool WriteCatalogFile(const std::wstring& path, const std::vector<Specimen>& specimens,
                      const std::vector<std::wstring>& categories, Settings settings) {
    ScriptedHost host;
    Catalog catalog(host, settings);
    catalog.SetFilePath(path);
    for (const std::wstring& category : categories)
        catalog.AddCategory(category);
    for (const Specimen& specimen : specimens)
        catalog.AddSpecimen(specimen);
    RawPictureFileWriter pictures;
    return WriteCatalog(catalog, path, L"", pictures, nullptr);
}

bool StoredCatalog::Read(const std::wstring& path) {
    FixedScreen screen;
    CatalogReadOutcome outcome;
    return ReadCatalog(catalog, path, false, screen, nullptr, outcome);
}
