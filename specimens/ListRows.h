#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "specimens/ListColumns.h"

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

    size_t Count() const { return ids_.size(); }
    // The id of the row's specimen; 0 past the last row.
    std::int32_t IdAt(size_t row) const { return row < ids_.size() ? ids_[row] : 0; }
    // The specimen the row stands for; none past the last row or when it has left the catalog.
    const Specimen* SpecimenAt(const Catalog& catalog, size_t row);
    // The display text of one field of the row; empty when there is no specimen.
    std::wstring Text(const Catalog& catalog, size_t row, int field);

    // Orders the rows by the display text of the field through order, reversed when descending;
    // rows with equal texts keep their order.
    void Sort(const Catalog& catalog, int field, bool descending, TextOrder order);

private:
    std::vector<std::int32_t> ids_;
    // Where each row's specimen stood in the catalog when last found; checked before use, since
    // the catalog may have changed since.
    std::vector<size_t> places_;
};
