#pragma once

#include <vector>

#include "catalog/Specimen.h"

// A collector's catalog of any size, the same on every run and platform: realistic and awkward
// texts (accents, "&", "<", quotes, commas, line breaks, long remarks), a few hundred shared
// categories with some specimens filed under several, a share with a category of their own,
// and small pictures on some (a few pictures shared by several specimens).
std::vector<Specimen> GeneratedSpecimens(int count);
