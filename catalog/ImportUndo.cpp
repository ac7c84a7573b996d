#include "catalog/ImportUndo.h"

#include <utility>

ImportUndo::ImportUndo(Catalog& catalog, bool addMode) : catalog_(catalog) {
    if (addMode) {
        extent_.emplace(catalog.CurrentExtent());
        settings_.emplace(catalog.CurrentSettings());
        return;
    }
    // Moved, not copied: a catalog of many pictures would otherwise be held twice.
    contents_.emplace();
    contents_->categories = catalog.Categories();
    contents_->specimens = std::move(catalog.Specimens());
    contents_->settings.CopyFrom(catalog.CurrentSettings());
    contents_->colours = catalog.Colours();
    catalog.Clear();
}

ImportUndo::~ImportUndo() {
    try {
        Undo();
    } catch (...) {
        // Nothing may leave a destructor; the read that failed reports its own failure.
    }
}

void ImportUndo::Commit(std::vector<Specimen>* replaced) {
    if (replaced != nullptr && contents_)
        *replaced = std::move(contents_->specimens);
    extent_.reset();
    settings_.reset();
    contents_.reset();
}

void ImportUndo::Undo() {
    if (extent_) {
        catalog_.CutBackTo(*extent_);
        catalog_.CurrentSettings().CopyFrom(*settings_);
        Commit();
        return;
    }
    if (!contents_)
        return;
    catalog_.Clear();
    for (const std::wstring& category : contents_->categories)
        catalog_.AddCategory(category);
    catalog_.Specimens() = std::move(contents_->specimens);
    catalog_.CurrentSettings().CopyFrom(contents_->settings);
    // The colours the read met go with it.
    catalog_.CutBackTo({catalog_.Categories().size(), catalog_.Specimens().size(), std::move(contents_->colours)});
    contents_.reset();
}
