#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class Catalog;
struct Specimen;

// The rows of the specimen list, window-free: which specimens a tab shows and in which order.
// A row stands for a specimen's id; its texts are made from the catalog when they are asked
// for, so that filling and sorting a tab of any size touch each of its specimens once.
class ListRows {
public:
    // The specimens in the filter ("<All>" for every one), newest first: the order rows keep
    // where a sort finds their texts equal.
    void Fill(const Catalog& catalog, std::wstring_view filter);
    void Clear();
    // A new specimen's row, at the top.
    void AddFirst(const Catalog& catalog, std::int32_t id);
    // Takes out the rows of these specimens, in one pass.
    void Remove(const std::vector<std::int32_t>& ids);
    // The row of a specimen; none (-1) when it has no row.
    int RowOf(std::int32_t id) const;

    size_t Count() const { return ids_.size(); }
    // The id of the row's specimen; 0 past the last row.
    std::int32_t IdAt(size_t row) const { return row < ids_.size() ? ids_[row] : 0; }
    // The specimen the row stands for; none past the last row or when it has left the catalog.
    const Specimen* SpecimenAt(const Catalog& catalog, size_t row);
    // The display text of one field of the row; empty when there is no specimen.
    std::wstring Text(const Catalog& catalog, size_t row, int field);

    // A text's sort key: keys compared as byte strings order their texts.
    using OrderKey = std::string (*)(std::wstring_view text);
    // Orders the rows by the display text of the field, as the keys order them, reversed when
    // descending; rows with equal texts keep their order. Every column sorts by its display
    // text, so "$10.00" comes before "$9.00".
    void Sort(const Catalog& catalog, int field, bool descending, OrderKey key);

private:
    std::vector<std::int32_t> ids_;
    // Where each row's specimen stood in the catalog when last found; checked before use, since
    // the catalog may have changed since.
    std::vector<size_t> places_;
};
