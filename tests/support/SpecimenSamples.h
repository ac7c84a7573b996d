#pragma once

#include <string>
#include <vector>

#include "catalog/Specimen.h"

// A specimen with every field set, different for each number, with awkward texts.
Specimen SampleSpecimen(int number);
// SampleSpecimen(0) to SampleSpecimen(count - 1).
std::vector<Specimen> SampleSpecimens(int count);
// Every field but the id, as text, for comparing specimens in one assertion.
std::wstring Describe(const Specimen& specimen);
std::vector<std::wstring> DescribeAll(const std::vector<Specimen>& specimens);
