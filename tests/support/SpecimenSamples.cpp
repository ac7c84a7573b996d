#include "support/SpecimenSamples.h"

#include <sstream>

Specimen SampleSpecimen(int number) {
    std::wstring n = std::to_wstring(number);
    Specimen s;
    s.categories = {L"Shells", L"Cat " + n};
    s.abundance = L"Rare";
    s.collector = L"Ann & Bob <" + n + L">";
    s.colour = L"Red";
    s.commonName = L"Tiger \"cowrie\" " + n;
    s.dateCollected = L"05/01/2008";
    s.dimensions = L"2 x 3; deep";
    s.latinName = L"Cypraea tigris";
    s.location = L"Reef\r\nNorth side";
    s.pictureName = L"pic" + n + L".jpg";
    s.quality = L"Gem";
    s.remarks = L"caf\x00E9 \x4E2D\x6587 \x00A0tab\there &amp;";
    s.tag = L"S-" + n;
    s.userFields = {L"u1-" + n, L"u2", L"u3", L"u4", L"u5"};
    s.pictureData = {0xFF, 0xD8, static_cast<std::uint8_t>(number & 0xFF), 0, 255, 10, 13};
    s.price = 12.5 + number;
    s.value = 1234567.0 + number;
    s.size = 0.000025 * (number + 1);
    s.order = number * 3 - 7;
    s.mask = number % 2 == 0;
    return s;
}

std::vector<Specimen> SampleSpecimens(int count) {
    std::vector<Specimen> specimens;
    for (int i = 0; i < count; ++i)
        specimens.push_back(SampleSpecimen(i));
    return specimens;
}

std::wstring Describe(const Specimen& s) {
    std::wostringstream out;
    for (const std::wstring& category : s.categories)
        out << L"[" << category << L"]";
    out << L"|" << s.abundance << L"|" << s.collector << L"|" << s.colour << L"|" << s.commonName << L"|"
        << s.dateCollected << L"|" << s.dimensions << L"|" << s.latinName << L"|" << s.location << L"|" << s.pictureName
        << L"|" << s.quality << L"|" << s.remarks << L"|" << s.tag;
    for (const std::wstring& field : s.userFields)
        out << L"|" << field;
    out.precision(6);
    out << L"|" << s.price << L"|" << s.value << L"|" << s.size << L"|" << s.order << L"|" << s.mask << L"|";
    for (std::uint8_t byte : s.pictureData)
        out << static_cast<int>(byte) << L",";
    return out.str();
}

std::vector<std::wstring> DescribeAll(const std::vector<Specimen>& specimens) {
    std::vector<std::wstring> all;
    for (const Specimen& specimen : specimens)
        all.push_back(Describe(specimen));
    return all;
}
