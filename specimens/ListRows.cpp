#include "specimens/ListRows.h"

#include <algorithm>
#include <numeric>
#include <unordered_set>

#include "catalog/Catalog.h"
#include "catalog/CategoryFilter.h"

void ListRows::Fill(const Catalog& catalog, std::wstring_view filter) {
    Clear();
    const std::vector<Specimen>& specimens = catalog.Specimens();
    CategoryFilter taken(filter);
    for (size_t place = specimens.size(); place-- > 0;) {
        if (taken.Takes(specimens[place])) {
            ids_.push_back(specimens[place].id);
            places_.push_back(place);
        }
    }
}

void ListRows::Clear() {
    ids_.clear();
    places_.clear();
}

void ListRows::AddFirst(const Catalog& catalog, std::int32_t id) {
    ids_.insert(ids_.begin(), id);
    places_.insert(places_.begin(), catalog.Specimens().size());
}

void ListRows::Remove(const std::vector<std::int32_t>& ids) {
    const std::unordered_set<std::int32_t> removed(ids.begin(), ids.end());
    size_t kept = 0;
    for (size_t row = 0; row < ids_.size(); ++row) {
        if (removed.contains(ids_[row]))
            continue;
        ids_[kept] = ids_[row];
        places_[kept] = places_[row];
        ++kept;
    }
    ids_.resize(kept);
    places_.resize(kept);
}

int ListRows::RowOf(std::int32_t id) const {
    auto found = std::find(ids_.begin(), ids_.end(), id);
    return found == ids_.end() ? -1 : static_cast<int>(found - ids_.begin());
}

const Specimen* ListRows::SpecimenAt(const Catalog& catalog, size_t row) {
    if (row >= ids_.size())
        return nullptr;
    const std::vector<Specimen>& specimens = catalog.Specimens();
    const size_t place = places_[row];
    if (place < specimens.size() && specimens[place].id == ids_[row])
        return &specimens[place];
    const Specimen* found = catalog.FindSpecimen(ids_[row]);
    if (found != nullptr)
        places_[row] = static_cast<size_t>(found - specimens.data());
    return found;
}

std::wstring ListRows::Text(const Catalog& catalog, size_t row, int field) {
    const Specimen* specimen = SpecimenAt(catalog, row);
    return specimen == nullptr ? std::wstring() : Catalog::FieldText(*specimen, field);
}

void ListRows::Sort(const Catalog& catalog, int field, bool descending, OrderKey key) {
    // Each row's key is made once; the sort moves row numbers.
    std::vector<std::string> keys(ids_.size());
    for (size_t row = 0; row < ids_.size(); ++row)
        keys[row] = key(Text(catalog, row, field));
    std::vector<size_t> sorted(ids_.size());
    std::iota(sorted.begin(), sorted.end(), size_t{0});
    std::stable_sort(sorted.begin(), sorted.end(),
                     [&](size_t a, size_t b) { return descending ? keys[b] < keys[a] : keys[a] < keys[b]; });
    std::vector<std::int32_t> ids(ids_.size());
    std::vector<size_t> places(places_.size());
    for (size_t row = 0; row < sorted.size(); ++row) {
        ids[row] = ids_[sorted[row]];
        places[row] = places_[sorted[row]];
    }
    ids_ = std::move(ids);
    places_ = std::move(places);
}
