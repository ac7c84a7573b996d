#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "catalog/Catalog.h"
#include "catalog/Settings.h"
#include "catalog/Specimen.h"

// Puts the catalog back as it was before a read that did not finish (cancelled, a file that
// failed half way, or an exception such as running out of memory): unless the read is committed,
// the catalog is put back when the undo goes away. Adding only appends, so the catalog is cut
// back to where it reached and its settings restored; replacing takes the whole contents out
// here, leaving the catalog empty for the read, and returns them on Undo. Callers hold the
// catalog lock.
class ImportUndo {
public:
    ImportUndo(Catalog& catalog, bool addMode);
    ~ImportUndo();
    ImportUndo(const ImportUndo&) = delete;
    ImportUndo& operator=(const ImportUndo&) = delete;

    void Undo();
    // The read finished: what it changed stays. A replacing read hands the specimens it replaced
    // to replaced, when given, rather than dropping them (the undo history keeps them).
    void Commit(std::vector<Specimen>* replaced = nullptr);

private:
    struct Contents {
        std::vector<std::wstring> categories;
        std::vector<Specimen> specimens;
        Settings settings;
        std::set<std::wstring> colours;
    };

    Catalog& catalog_;
    std::optional<Catalog::Extent> extent_;
    std::optional<Settings> settings_;
    std::optional<Contents> contents_;
};
