#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "catalog/Specimen.h"

// Editing many specimens at once in the Specimen Details dialog, window-free: what each field
// shows for the specimens selected, and what OK changes in each of them.

// The fields the dialog edits for many specimens, each shown as text: every text but the tag
// and the picture's name, and the numbers as the single dialog shows them.
constexpr FieldId kBatchFields[] = {kFieldLatinName, kFieldCommonName, kFieldAbundance, kFieldPrice,
                                    kFieldValue,     kFieldOrder,      kFieldColour,    kFieldSize,
                                    kFieldQuality,   kFieldDimensions, kFieldLocation,  kFieldDateCollected,
                                    kFieldCollector, kFieldUser1,      kFieldUser2,     kFieldUser3,
                                    kFieldUser4,     kFieldUser5,      kFieldRemarks};

// The text the field shows: the one every specimen shares, or none when they differ. A number is
// shared only when it is exactly the same number in all.
std::optional<std::wstring> SharedFieldText(const std::vector<const Specimen*>& specimens, FieldId field,
                                            std::wstring_view currency);

enum class Tick { Unchecked, Checked, Mixed };

// Each listed category as its box shows it: checked when every specimen has it, unchecked when
// none has, mixed when some have.
std::vector<Tick> CategoryTicks(const std::vector<std::wstring>& listed, const std::vector<const Specimen*>& specimens);

// The tick after a click: a mixed box becomes checked, a checked one unchecked, and an unchecked
// one mixed again when it was mixed to begin with, else checked.
Tick NextTick(Tick tick, bool startedMixed);

// What OK changes in every specimen: the fields the user changed and nothing else.
struct BatchEdit {
    enum class Picture { Kept, Set, Cleared };

    std::vector<std::pair<FieldId, std::wstring>> fields;  // with the text the user left there
    std::vector<std::wstring> categoriesAdded;             // ticked by the user
    std::vector<std::wstring> categoriesRemoved;           // unticked by the user
    Picture picture = Picture::Kept;
    std::wstring pictureName;  // the picture Set gives every specimen
    std::vector<std::uint8_t> pictureData;
    std::optional<bool> mask;

    bool ChangesNothing() const;
};

// The categories the user changed, from the ticks shown and the ticks at OK.
void ReadCategoryTicks(const std::vector<std::wstring>& listed, const std::vector<Tick>& shown,
                       const std::vector<Tick>& now, BatchEdit& edit);

// Changes one specimen as the edit says. A number's text is read as the single dialog reads a
// typed one. A specimen keeps its own categories when the removals would leave it with none.
void ApplyBatchEdit(const BatchEdit& edit, Specimen& specimen);
