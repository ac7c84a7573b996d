#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/Geometry.h"

struct Settings;
struct Specimen;

// The window-free side of the Specimen Details dialog: the tag it proposes, the texts its edits
// show for a specimen's numbers, where its picture box lies, and what a new specimen starts with.

// The tag proposed for a specimen without one: the format with every run of "#" replaced by the
// number, padded with zeros to the run's length ("A-####" and 12 give "A-0012"). An empty
// format proposes nothing.
std::wstring ProposeTag(std::wstring_view format, std::uint32_t nextTag);
// The next tag number after one was proposed: after the largest number the Options dialog takes
// (4,294,967,295) numbering starts again at 1.
std::uint32_t TagNumberAfter(std::uint32_t number);

// A price or value as the dialog shows it: the currency, then two decimals ("$12.50"); empty
// for 0.
std::wstring AmountText(double amount, std::wstring_view currency);
// A size in general notation ("0.125"); empty for 0.
std::wstring SizeText(double size);
// A sort order in decimal; empty for 0.
std::wstring OrderText(std::int32_t order);

// What OK stores for a number edit: the specimen's own number when the text is still the one
// the dialog showed (so "$12.345" shown as "$12.35" is not rounded by a mere OK), else the
// typed text read leniently.
double NumberAfterEdit(double original, std::wstring_view shown, std::wstring_view typed);
std::int32_t OrderAfterEdit(std::int32_t original, std::wstring_view shown, std::wstring_view typed);

// The picture box of the Picture page, in pixels of the page's tab strip: larger on a 120-dpi
// screen, and scaled with any other.
Rect PictureBoxFor(int pixelsPerInch);

// The places in the category list of the specimen's categories, matched by exact text (two
// categories may differ only by case); names not in the list have none.
std::vector<int> PlacesOfCategories(const std::vector<std::wstring>& listed,
                                    const std::vector<std::wstring>& categories);

// A new specimen as Add offers it: filed under the current category, with the date, collector
// and abundance of the specimen added last.
void PrefillNewSpecimen(Specimen& specimen, const Settings& settings);
