#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "specimens/SpecimenFind.h"

class Catalog;
struct Specimen;

// The rows of the specimen list, window-free: which specimens a tab holds, which of them match
// the find words and so are shown, and in which order. A row stands for a specimen's id; its
// texts are made from the catalog when they are asked for, so that filling and sorting a tab of
// any size touch each of its specimens once.
class ListRows {
public:
    // The tab's specimens in the filter ("<All>" for every one), newest first: the order rows
    // keep where a sort finds their texts equal. Those matching the find words are shown at once.
    void Fill(const Catalog& catalog, std::wstring_view filter);
    // No rows, until the next Fill; the find words and the texts made stay.
    void Clear();
    // A new specimen's row, at the top; shown whatever the find words are, until they change.
    void AddFirst(const Catalog& catalog, std::int32_t id);
    // Takes out the rows of these specimens, in one pass.
    void Remove(const std::vector<std::int32_t>& ids);
    // The shown row of a specimen; none (-1) when it has no row shown.
    int RowOf(std::int32_t id) const;

    // The rows shown, and all of the tab's rows however many are shown.
    size_t Count() const { return shown_.size(); }
    size_t Total() const { return all_.size(); }
    // The id of the shown row's specimen; 0 past the last row.
    std::int32_t IdAt(size_t row) const { return row < shown_.size() ? shown_[row].id : 0; }
    // The specimen the shown row stands for; none past the last row or when it has left the
    // catalog.
    const Specimen* SpecimenAt(const Catalog& catalog, size_t row);
    // The display text of one field of the shown row; empty when there is no specimen.
    std::wstring Text(const Catalog& catalog, size_t row, int field);

    // A text's sort key: keys compared as byte strings order their texts.
    using OrderKey = std::string (*)(std::wstring_view text);
    // Orders the tab's rows by the display text of the field, as the keys order them, reversed
    // when descending; rows with equal texts keep their order, and the same rows stay shown.
    // Every column sorts by its display text, so "$10.00" comes before "$9.00".
    void Sort(const Catalog& catalog, int field, bool descending, OrderKey key);

    // Find as you type. Starts choosing the rows that match the words (none: every row); the
    // rows shown stay until FindStep has looked at every candidate. Words that narrow the
    // last ones look only among the rows shown.
    void StartFind(std::vector<std::string> words);
    // Looks at up to budget more candidates of the find under way; true once it has looked at
    // every one (or none is under way), when ShowFound shows what it found.
    bool FindStep(const Catalog& catalog, size_t budget);
    void ShowFound();
    bool Finding() const { return finding_; }
    bool HasFindWords() const { return !words_.empty(); }
    // An edited specimen stays shown, matching or not, until the find words change.
    void KeepShown(std::int32_t id) { kept_.insert(id); }
    // The specimen changed, or every one may have: what it is found by is made afresh.
    void ForgetText(std::int32_t id) { texts_.Forget(id); }
    void ForgetAllTexts() {
        texts_.ForgetAll();
        prepared_ = 0;
    }
    // Makes what up to budget more of the catalog's specimens are found by, ahead of the first
    // find; true once every specimen has it.
    bool PrepareTexts(const Catalog& catalog, size_t budget);

private:
    struct Row {
        std::int32_t id = 0;
        // Where the specimen stood in the catalog when last found; checked before use, since
        // the catalog may have changed since.
        size_t place = 0;
    };
    const Specimen* SpecimenOf(const Catalog& catalog, Row& row);
    bool Shows(const Catalog& catalog, Row& row, const std::vector<std::string>& words);
    // The find under way restarts from its first candidate, as the rows changed under it.
    void RestartFind();

    std::vector<Row> all_;
    std::vector<Row> shown_;
    std::vector<std::string> words_;  // the words the rows shown were chosen by
    std::unordered_set<std::int32_t> kept_;
    FindableTexts texts_;
    size_t prepared_ = 0;  // the catalog's specimens before this place have their texts

    // The find under way: its words, whether it looks among the rows shown or all of them, the
    // next candidate and the rows found so far.
    bool finding_ = false;
    std::vector<std::string> findWords_;
    bool narrowing_ = false;
    size_t next_ = 0;
    std::vector<Row> found_;
};
