#pragma once

#include <string>

class Catalog;
class MarkupDocument;
class ProgressSink;
class ScreenMetrics;

// Reads a catalog file of the older layout (no "DATAVERSION"): offers a backup copy on the
// desktop first, takes the settings from the old separate settings file, and files each
// specimen under the category it was nested in. True when the root's end tag was reached.
bool ReadOldLayout(MarkupDocument& document, Catalog& catalog, const std::wstring& path, const ScreenMetrics& screen,
                   ProgressSink* progress);

// An abundance or quality word from an older file's number: its position in the scale, or
// the identifier of the word's text. Anything else gives the empty text.
std::wstring AbundanceFromNumber(int number);
std::wstring QualityFromNumber(int number);
