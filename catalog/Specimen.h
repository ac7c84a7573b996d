#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// One specimen of the collection. A new specimen has every text empty, every number zero,
// no categories and no picture.
struct Specimen {
    std::vector<std::uint8_t> pictureData;  // the picture file's bytes; empty when there is none
    std::vector<std::wstring> categories;
    std::wstring abundance;
    std::wstring collector;
    std::wstring colour;
    std::wstring commonName;
    std::wstring dateCollected;
    std::wstring dimensions;
    std::wstring latinName;
    std::wstring location;
    std::wstring pictureName;  // file name only, no folder
    std::wstring quality;
    std::wstring remarks;
    std::wstring tag;
    std::array<std::wstring, 5> userFields;
    double price = 0;
    double size = 0;
    double value = 0;
    std::int32_t order = 0;  // carried over from older catalog files; never assigned by the program
    std::int32_t id = 0;     // handed out when added; never stored in a file
    bool mask = false;       // the picture's background colour is drawn transparent

    bool operator==(const Specimen&) const = default;
};

// Field identifiers: list columns, export columns, report fields and sort keys. The caption
// of field n is string kFieldCaptionBase + n.
enum FieldId : int {
    kFieldCategory = 0,
    kFieldCollector = 1,
    kFieldColour = 2,
    kFieldCommonName = 3,
    kFieldDateCollected = 4,
    kFieldDimensions = 5,
    kFieldLatinName = 6,
    kFieldLocation = 7,
    kFieldPicture = 8,
    kFieldRemarks = 9,
    kFieldTag = 10,
    kFieldUser1 = 11,
    kFieldUser2 = 12,
    kFieldPrice = 13,
    kFieldValue = 14,
    kFieldAbundance = 15,
    kFieldQuality = 16,
    kFieldSize = 17,
    kFieldOrder = 18,
    kFieldMask = 19,
    kFieldUser3 = 20,
    kFieldUser4 = 21,
    kFieldUser5 = 22,
    kFieldCount = 23,
    kFieldNone = 23,
};

// The specimen's own text for the field; null for fields kept as something else (numbers,
// categories, the picture).
template <typename SpecimenRecord>  // Specimen or const Specimen
inline auto SpecimenTextField(SpecimenRecord& specimen, int fieldId) -> decltype(&specimen.tag) {
    switch (fieldId) {
        case kFieldCollector:
            return &specimen.collector;
        case kFieldColour:
            return &specimen.colour;
        case kFieldCommonName:
            return &specimen.commonName;
        case kFieldDateCollected:
            return &specimen.dateCollected;
        case kFieldDimensions:
            return &specimen.dimensions;
        case kFieldLatinName:
            return &specimen.latinName;
        case kFieldLocation:
            return &specimen.location;
        case kFieldRemarks:
            return &specimen.remarks;
        case kFieldTag:
            return &specimen.tag;
        case kFieldUser1:
            return &specimen.userFields[0];
        case kFieldUser2:
            return &specimen.userFields[1];
        case kFieldAbundance:
            return &specimen.abundance;
        case kFieldQuality:
            return &specimen.quality;
        case kFieldUser3:
            return &specimen.userFields[2];
        case kFieldUser4:
            return &specimen.userFields[3];
        case kFieldUser5:
            return &specimen.userFields[4];
        default:
            return nullptr;
    }
}
