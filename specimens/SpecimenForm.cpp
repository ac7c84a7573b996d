#include "specimens/SpecimenForm.h"

#include <limits>
#include <unordered_map>

#include "base/MarkupValues.h"
#include "base/NumberFormat.h"
#include "catalog/Settings.h"
#include "catalog/Specimen.h"

std::wstring ProposeTag(std::wstring_view format, std::uint32_t nextTag) {
    const std::wstring number = std::to_wstring(nextTag);
    std::wstring tag;
    for (size_t i = 0; i < format.size();) {
        if (format[i] != L'#') {
            tag += format[i++];
            continue;
        }
        size_t run = 0;
        while (i < format.size() && format[i] == L'#') {
            ++run;
            ++i;
        }
        if (number.size() < run)
            tag.append(run - number.size(), L'0');
        tag += number;
    }
    return tag;
}

std::uint32_t TagNumberAfter(std::uint32_t number) {
    return number == std::numeric_limits<std::uint32_t>::max() ? 1 : number + 1;
}

std::wstring AmountText(double amount, std::wstring_view currency) {
    return amount == 0 ? std::wstring() : std::wstring(currency) + FormatTwoDecimals(amount);
}

std::wstring SizeText(double size) {
    return size == 0 ? std::wstring() : FormatGeneral(size);
}

std::wstring OrderText(std::int32_t order) {
    return order == 0 ? std::wstring() : FormatInteger(order);
}

double NumberAfterEdit(double original, std::wstring_view shown, std::wstring_view typed) {
    return typed == shown ? original : ParseDouble(typed);
}

std::int32_t OrderAfterEdit(std::int32_t original, std::wstring_view shown, std::wstring_view typed) {
    return typed == shown ? original : ParseInteger(typed);
}

Rect PictureBoxFor(int pixelsPerInch) {
    if (pixelsPerInch == 120)
        return {190, 50, 590, 350};
    const auto scaled = [&](int pixels) { return ScaledForDpi(pixels, pixelsPerInch); };
    return {scaled(143), scaled(42), scaled(441), scaled(284)};
}

std::vector<int> PlacesOfCategories(const std::vector<std::wstring>& listed,
                                    const std::vector<std::wstring>& categories) {
    std::unordered_map<std::wstring_view, int> places;
    for (size_t i = 0; i < listed.size(); ++i)
        places.emplace(listed[i], static_cast<int>(i));
    std::vector<int> found;
    for (const std::wstring& category : categories) {
        auto place = places.find(category);
        if (place != places.end())
            found.push_back(place->second);
    }
    return found;
}

void PrefillNewSpecimen(Specimen& specimen, const Settings& settings) {
    specimen.categories.push_back(settings.currentCategory);
    specimen.dateCollected = settings.lastDate;
    specimen.collector = settings.lastCollector;
    specimen.abundance = settings.lastAbundance;
}
