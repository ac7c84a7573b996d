#pragma once

#include <string>
#include <string_view>
#include <vector>

struct Specimen;

// Find as you type, window-free: whether a specimen matches the words the user typed. Texts are
// compared folded (FoldForFinding), so letter case and accents do not count.

// The folded words of a find text, split at spaces; none for a blank text, which every
// specimen matches.
std::vector<std::wstring> FindWords(std::wstring_view text);

// Every field of the specimen as its row shows it (the categories, both names, the tag, the
// numbers as money and plain numbers, the five user fields...), folded, one per line: a word
// is found within one field, never across two.
std::wstring FindableText(const Specimen& specimen);

// Whether every word stands somewhere in the findable text, in any order.
bool MatchesAllWords(std::wstring_view findable, const std::vector<std::wstring>& words);
