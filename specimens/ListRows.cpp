#include "specimens/ListRows.h"

#include <algorithm>
#include <numeric>

#include "catalog/Catalog.h"
#include "catalog/CategoryFilter.h"

void ListRows::Fill(const Catalog& catalog, std::wstring_view filter) {
    Clear();
    const std::vector<Specimen>& specimens = catalog.Specimens();
    CategoryFilter taken(filter);
    for (size_t place = specimens.size(); place-- > 0;) {
        if (taken.Takes(specimens[place]))
            all_.push_back({specimens[place].id, place});
    }
    for (Row& row : all_) {
        if (Shows(catalog, row, words_))
            shown_.push_back(row);
    }
    // A find under way looks at the new rows from the first.
    RestartFind();
}

void ListRows::Clear() {
    all_.clear();
    shown_.clear();
    RestartFind();
}

void ListRows::AddFirst(const Catalog& catalog, std::int32_t id) {
    const Row row{id, catalog.Specimens().size()};
    all_.insert(all_.begin(), row);
    shown_.insert(shown_.begin(), row);
    kept_.insert(id);
    RestartFind();
}

void ListRows::Remove(const std::vector<std::int32_t>& ids) {
    const std::unordered_set<std::int32_t> removed(ids.begin(), ids.end());
    const auto gone = [&](const Row& row) { return removed.contains(row.id); };
    std::erase_if(all_, gone);
    std::erase_if(shown_, gone);
    RestartFind();
}

int ListRows::RowOf(std::int32_t id) const {
    auto found = std::find_if(shown_.begin(), shown_.end(), [id](const Row& row) { return row.id == id; });
    return found == shown_.end() ? -1 : static_cast<int>(found - shown_.begin());
}

const Specimen* ListRows::SpecimenOf(const Catalog& catalog, Row& row) {
    const std::vector<Specimen>& specimens = catalog.Specimens();
    if (row.place < specimens.size() && specimens[row.place].id == row.id)
        return &specimens[row.place];
    const Specimen* found = catalog.FindSpecimen(row.id);
    if (found != nullptr)
        row.place = static_cast<size_t>(found - specimens.data());
    return found;
}

const Specimen* ListRows::SpecimenAt(const Catalog& catalog, size_t row) {
    return row < shown_.size() ? SpecimenOf(catalog, shown_[row]) : nullptr;
}

std::wstring ListRows::Text(const Catalog& catalog, size_t row, int field) {
    const Specimen* specimen = SpecimenAt(catalog, row);
    return specimen == nullptr ? std::wstring() : Catalog::FieldText(*specimen, field);
}

void ListRows::Sort(const Catalog& catalog, int field, bool descending, OrderKey key) {
    // Each row's key is made once; the sort moves row numbers.
    std::vector<std::string> keys(all_.size());
    for (size_t row = 0; row < all_.size(); ++row) {
        const Specimen* specimen = SpecimenOf(catalog, all_[row]);
        keys[row] = key(specimen == nullptr ? std::wstring() : Catalog::FieldText(*specimen, field));
    }
    std::vector<size_t> sorted(all_.size());
    std::iota(sorted.begin(), sorted.end(), size_t{0});
    std::stable_sort(sorted.begin(), sorted.end(),
                     [&](size_t a, size_t b) { return descending ? keys[b] < keys[a] : keys[a] < keys[b]; });
    std::vector<Row> rows;
    rows.reserve(all_.size());
    for (size_t row : sorted)
        rows.push_back(all_[row]);
    all_ = std::move(rows);
    // The rows shown stay the same, in the new order.
    std::unordered_set<std::int32_t> shown;
    for (const Row& row : shown_)
        shown.insert(row.id);
    shown_.clear();
    for (const Row& row : all_) {
        if (shown.contains(row.id))
            shown_.push_back(row);
    }
    RestartFind();
}

bool ListRows::Shows(const Catalog& catalog, Row& row, const std::vector<std::string>& words) {
    if (words.empty() || kept_.contains(row.id))
        return true;
    const Specimen* specimen = SpecimenOf(catalog, row);
    return specimen != nullptr && MatchesAllWords(texts_.Of(*specimen), words);
}

void ListRows::StartFind(std::vector<std::string> words) {
    if (finding_ ? words == findWords_ : words == words_)
        return;
    // The rows kept shown were kept for the words they were edited under.
    kept_.clear();
    // The rows shown are a start only for words that narrow theirs; a find still under way
    // gives way to the new one.
    narrowing_ = !finding_ && NarrowsFind(words_, words);
    findWords_ = std::move(words);
    finding_ = true;
    next_ = 0;
    found_.clear();
}

void ListRows::RestartFind() {
    // A row added since is not among the rows shown when the find began: it looks at all.
    narrowing_ = false;
    next_ = 0;
    found_.clear();
}

bool ListRows::FindStep(const Catalog& catalog, size_t budget) {
    if (!finding_)
        return true;
    std::vector<Row>& candidates = narrowing_ ? shown_ : all_;
    for (; next_ < candidates.size() && budget > 0; ++next_, --budget) {
        if (Shows(catalog, candidates[next_], findWords_))
            found_.push_back(candidates[next_]);
    }
    return next_ >= candidates.size();
}

void ListRows::ShowFound() {
    if (!finding_ || next_ < (narrowing_ ? shown_ : all_).size())
        return;
    shown_ = std::move(found_);
    found_.clear();
    words_ = std::move(findWords_);
    findWords_.clear();
    finding_ = false;
}

bool ListRows::PrepareTexts(const Catalog& catalog, size_t budget) {
    const std::vector<Specimen>& specimens = catalog.Specimens();
    for (; prepared_ < specimens.size() && budget > 0; ++prepared_, --budget)
        texts_.Of(specimens[prepared_]);
    return prepared_ >= specimens.size();
}
