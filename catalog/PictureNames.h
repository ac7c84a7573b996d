#pragma once

#include <string>

#include "catalog/Specimen.h"

class Catalog;

// A picture file in the picture folder is known by its name alone, so two different pictures
// must never carry the same name: the one saved last would take the other's place. Two
// cameras both name their first picture IMG_0001.JPG. The same name with the same bytes is one
// picture shown on several specimens and keeps its name.

// The name to store the specimen's picture under: its own, unless another specimen of the
// catalog (the specimen's own stored copy, same id, does not count) or a file in the picture
// folder holds different bytes under that name; then the first free name of "<stem> (2)<ext>",
// "<stem> (3)<ext>" ... A specimen without picture bytes, or whose name is no safe file name,
// keeps its name. pictureFolder is the catalog's picture folder, or empty when it has none.
std::wstring FreePictureName(const Catalog& catalog, const Specimen& specimen, const std::wstring& pictureFolder);

// Before a save: a picture whose name an earlier specimen, or a picture still only in the
// picture folder, holds with different bytes gets a free name of its own (the same one for the
// same bytes). Returns how many specimens were renamed. The caller holds the catalog lock.
int SeparateClashingPictures(Catalog& catalog, const std::wstring& pictureFolder);

// The name a picture brought from elsewhere is stored under: its own, unless a file of that name
// in the picture folder holds other bytes; then the first "<stem> (n)<ext>" that no such file
// holds. Names other specimens hold are left to SeparateClashingPictures at the save.
std::wstring NameFreeInFolder(const std::wstring& name, const std::vector<std::uint8_t>& bytes,
                              const std::wstring& pictureFolder);
