#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct Specimen;

// Find as you type, window-free: whether a specimen matches the words the user typed. Texts are
// compared folded (FoldForFinding), so letter case and accents do not count, and kept as UTF-8:
// a third to a half of the memory, and as much less to look through on every letter. A word's
// bytes found in a text always start at a character, so the match is the same.

// The folded words of a find text, split at spaces; none for a blank text, which every
// specimen matches.
std::vector<std::string> FindWords(std::wstring_view text);

// Every field of the specimen as its row shows it (the categories, both names, the tag, the
// numbers as money and plain numbers, the five user fields...), folded, one per line: a word
// is found within one field, never across two.
std::string FindableText(const Specimen& specimen);

// Whether every word stands somewhere in the findable text, in any order.
bool MatchesAllWords(std::string_view findable, const std::vector<std::string>& words);

// Whether every specimen the later words match is also matched by the earlier ones: each
// earlier word stands within some later word ("sh" then "she"), so a search for the later
// words need only look among what the earlier ones found.
bool NarrowsFind(const std::vector<std::string>& earlier, const std::vector<std::string>& later);

// Each specimen's findable text, by id, made when first asked for and kept until the specimen
// changes: folding every field is what costs, so a keystroke looks only at texts made before.
class FindableTexts {
public:
    const std::string& Of(const Specimen& specimen);
    // The specimen changed: its text is made afresh when next asked for.
    void Forget(std::int32_t id) { texts_.erase(id); }
    void ForgetAll() { texts_.clear(); }

private:
    std::unordered_map<std::int32_t, std::string> texts_;
};
