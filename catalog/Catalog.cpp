#include "catalog/Catalog.h"

#include <algorithm>

#include "base/NumberFormat.h"
#include "base/StringTable.h"
#include "base/TextCompare.h"
#include "catalog/CategoryFilter.h"
#include "catalog/Settings.h"
#include "resources/resource.h"

Catalog::Catalog(CatalogHost& host, Settings& settings) : host_(host), settings_(settings) {}

void Catalog::Clear() {
    categories_.clear();
    IndexCategories();
    specimens_.clear();
    settings_.nextTagNumber = 0;
}

namespace {

// "<All>" stands for every category and an empty name for none: neither is a category,
// whatever a file says.
bool IsCategoryName(std::wstring_view name) {
    static const std::wstring allCategories = LoadText(IDS_ALL_CATEGORIES);
    return !name.empty() && !SameText(name, allCategories);
}

}  // namespace

std::vector<std::wstring>::iterator Catalog::FindCategory(std::wstring_view name) {
    return std::find_if(categories_.begin(), categories_.end(),
                        [name](const std::wstring& category) { return SameText(category, name); });
}

void Catalog::IndexCategories() {
    categoryTexts_.clear();
    categoryKeys_.clear();
    for (const std::wstring& category : categories_) {
        categoryTexts_.insert(category);
        categoryKeys_.insert(SameTextKey(category));
    }
}

void Catalog::AddCategory(const std::wstring& name) {
    // The exact text needs no key: most names filed are ones already listed.
    if (categoryTexts_.contains(name) || !IsCategoryName(name))
        return;
    std::wstring key = SameTextKey(name);
    if (categoryKeys_.contains(key))
        return;
    categories_.push_back(name);
    categoryTexts_.insert(name);
    categoryKeys_.insert(std::move(key));
}

void Catalog::CutBackTo(const Extent& extent) {
    if (extent.specimens < specimens_.size())
        specimens_.resize(extent.specimens);
    if (extent.categories < categories_.size()) {
        categories_.resize(extent.categories);
        IndexCategories();
    }
    colours_ = extent.colours;
}

void Catalog::SetCategories(std::vector<std::wstring> categories) {
    categories_ = std::move(categories);
    IndexCategories();
}

void Catalog::RenameCategory(const std::wstring& oldName, const std::wstring& newName) {
    if (!IsCategoryName(newName))
        return;
    // Copy first: the old name may refer to an entry that is about to change.
    const std::wstring from = oldName;
    auto rename = [&](std::vector<std::wstring>& names) {
        for (std::wstring& name : names) {
            if (SameText(name, from))
                name = newName;
        }
    };
    // Renaming onto an existing name merges the two: no name is listed twice.
    auto dropRepeats = [](std::vector<std::wstring>& names) {
        for (size_t i = 0; i < names.size(); ++i) {
            auto later = std::remove_if(names.begin() + static_cast<std::ptrdiff_t>(i) + 1, names.end(),
                                        [&](const std::wstring& name) { return SameText(name, names[i]); });
            names.erase(later, names.end());
        }
    };
    rename(categories_);
    dropRepeats(categories_);
    IndexCategories();
    for (Specimen& specimen : specimens_) {
        rename(specimen.categories);
        dropRepeats(specimen.categories);
    }
}

bool Catalog::DeleteCategory(const std::wstring& name) {
    const std::wstring doomed = name;
    // "<All>", the empty name and unknown names are not in the list: the filter would take
    // specimens of other categories, or of none, for them.
    if (FindCategory(doomed) == categories_.end())
        return false;
    if (CountInFilter(doomed) > 0 && !host_.AskYesNo(IDS_CATEGORY_NOT_EMPTY))
        return false;
    // Only a specimen that loses its last category here goes; one that never had a category
    // was not asked about.
    std::erase_if(specimens_, [&](Specimen& specimen) {
        const auto removed = std::erase_if(specimen.categories,
                                           [&](const std::wstring& category) { return SameText(category, doomed); });
        return removed > 0 && specimen.categories.empty();
    });
    categories_.erase(FindCategory(doomed));
    IndexCategories();
    return true;
}

bool Catalog::MoveCategory(const std::wstring& name, bool toRight) {
    auto entry = FindCategory(name);
    if (entry == categories_.end())
        return false;
    if (toRight) {
        if (entry + 1 == categories_.end())
            return false;
        std::iter_swap(entry, entry + 1);
    } else {
        if (entry == categories_.begin())
            return false;
        std::iter_swap(entry, entry - 1);
    }
    return true;
}

bool Catalog::IsInFilter(const Specimen& specimen, std::wstring_view filter) {
    static const std::wstring allCategories = LoadText(IDS_ALL_CATEGORIES);
    if (filter.empty() || SameText(filter, allCategories))
        return true;
    return std::any_of(specimen.categories.begin(), specimen.categories.end(),
                       [filter](const std::wstring& category) { return SameText(category, filter); });
}

int Catalog::CountInFilter(std::wstring_view filter) const {
    CategoryFilter taken(filter);
    return static_cast<int>(std::count_if(specimens_.begin(), specimens_.end(),
                                          [&taken](const Specimen& specimen) { return taken.Takes(specimen); }));
}

std::int32_t Catalog::AddSpecimen(Specimen specimen) {
    // A name already listed is a category: only new names are checked.
    std::erase_if(specimen.categories, [this](const std::wstring& category) {
        return !categoryTexts_.contains(category) && !IsCategoryName(category);
    });
    for (const std::wstring& category : specimen.categories)
        AddCategory(category);
    colours_.insert(specimen.colour);
    specimen.id = ++lastId_;
    specimens_.push_back(std::move(specimen));
    return lastId_;
}

Specimen* Catalog::FindSpecimen(std::int32_t id) {
    auto found = std::find_if(specimens_.begin(), specimens_.end(),
                              [id](const Specimen& specimen) { return specimen.id == id; });
    return found == specimens_.end() ? nullptr : &*found;
}

const Specimen* Catalog::FindSpecimen(std::int32_t id) const {
    return const_cast<Catalog*>(this)->FindSpecimen(id);
}

void Catalog::ReplaceSpecimen(std::int32_t id, const Specimen& specimen) {
    if (Specimen* stored = FindSpecimen(id))
        *stored = specimen;
}

bool Catalog::RemoveSpecimen(std::int32_t id) {
    auto found = std::find_if(specimens_.begin(), specimens_.end(),
                              [id](const Specimen& specimen) { return specimen.id == id; });
    if (found == specimens_.end())
        return false;
    specimens_.erase(found);
    return true;
}

void Catalog::SetSpecimenCategories(std::int32_t id, const std::vector<std::wstring>& categories) {
    if (Specimen* stored = FindSpecimen(id))
        stored->categories = categories;
}

size_t Catalog::RemoveSpecimens(const std::vector<std::int32_t>& ids) {
    const std::unordered_set<std::int32_t> removed(ids.begin(), ids.end());
    return std::erase_if(specimens_, [&removed](const Specimen& specimen) { return removed.contains(specimen.id); });
}

void Catalog::SetSpecimensCategories(const std::vector<std::int32_t>& ids,
                                     const std::vector<std::wstring>& categories) {
    const std::unordered_set<std::int32_t> moved(ids.begin(), ids.end());
    for (Specimen& specimen : specimens_) {
        if (moved.contains(specimen.id))
            specimen.categories = categories;
    }
}

bool Catalog::RemoveCategoryFromSpecimen(Specimen& specimen, std::wstring_view name) {
    auto entry = std::find_if(specimen.categories.begin(), specimen.categories.end(),
                              [name](const std::wstring& category) { return SameText(category, name); });
    if (entry != specimen.categories.end())
        specimen.categories.erase(entry);
    return specimen.categories.empty();
}

namespace {

std::wstring JoinCategories(const std::vector<std::wstring>& categories) {
    std::wstring joined;
    for (const std::wstring& category : categories) {
        if (!joined.empty())
            joined += L',';
        joined += category;
    }
    return joined;
}

// The string table does not change while the program runs: its texts are loaded once, not
// for every cell of a large list or export.
std::wstring MoneyText(double amount) {
    static const std::wstring currency = LoadText(IDS_CURRENCY);
    if (!(amount > 0))
        return {};
    return currency + FormatTwoDecimals(amount);
}

std::wstring YesOrNo(bool yes) {
    static const std::wstring yesText = LoadText(IDS_YES);
    static const std::wstring noText = LoadText(IDS_NO);
    return yes ? yesText : noText;
}

}  // namespace

std::wstring Catalog::FieldText(const Specimen& specimen, int fieldId) {
    switch (fieldId) {
        case kFieldCategory:
            return JoinCategories(specimen.categories);
        case kFieldCollector:
            return specimen.collector;
        case kFieldColour:
            return specimen.colour;
        case kFieldCommonName:
            return specimen.commonName;
        case kFieldDateCollected:
            return specimen.dateCollected;
        case kFieldDimensions:
            return specimen.dimensions;
        case kFieldLatinName:
            return specimen.latinName;
        case kFieldLocation:
            return specimen.location;
        case kFieldPicture:
            return specimen.pictureName;
        case kFieldRemarks:
            return specimen.remarks;
        case kFieldTag:
            return specimen.tag;
        case kFieldUser1:
            return specimen.userFields[0];
        case kFieldUser2:
            return specimen.userFields[1];
        case kFieldPrice:
            return MoneyText(specimen.price);
        case kFieldValue:
            return MoneyText(specimen.value);
        case kFieldAbundance:
            return specimen.abundance;
        case kFieldQuality:
            return specimen.quality;
        case kFieldSize:
            return FormatGeneral(specimen.size);
        case kFieldOrder:
            return FormatInteger(specimen.order);
        case kFieldMask:
            return YesOrNo(specimen.mask);
        case kFieldUser3:
            return specimen.userFields[2];
        case kFieldUser4:
            return specimen.userFields[3];
        case kFieldUser5:
            return specimen.userFields[4];
        default:
            return {};
    }
}

void Catalog::SetFilePath(const std::wstring& path) {
    filePath_ = path;
    host_.FilePathChanged(filePath_);
}
