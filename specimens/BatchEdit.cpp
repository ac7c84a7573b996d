#include "specimens/BatchEdit.h"

#include <algorithm>
#include <unordered_map>

#include "base/MarkupValues.h"
#include "specimens/SpecimenForm.h"

namespace {

double NumberField(const Specimen& specimen, FieldId field) {
    switch (field) {
        case kFieldPrice:
            return specimen.price;
        case kFieldValue:
            return specimen.value;
        case kFieldSize:
            return specimen.size;
        default:
            return specimen.order;
    }
}

std::wstring NumberText(const Specimen& specimen, FieldId field, std::wstring_view currency) {
    switch (field) {
        case kFieldPrice:
        case kFieldValue:
            return AmountText(NumberField(specimen, field), currency);
        case kFieldSize:
            return SizeText(specimen.size);
        default:
            return OrderText(specimen.order);
    }
}

void SetNumber(Specimen& specimen, FieldId field, std::wstring_view text) {
    switch (field) {
        case kFieldPrice:
            specimen.price = ParseDouble(text);
            break;
        case kFieldValue:
            specimen.value = ParseDouble(text);
            break;
        case kFieldSize:
            specimen.size = ParseDouble(text);
            break;
        case kFieldOrder:
            specimen.order = ParseInteger(text);
            break;
        default:
            break;
    }
}

bool Holds(const std::vector<std::wstring>& names, const std::wstring& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

std::optional<std::wstring> SharedFieldText(const std::vector<const Specimen*>& specimens, FieldId field,
                                            std::wstring_view currency) {
    if (specimens.empty())
        return std::nullopt;
    const Specimen& first = *specimens.front();
    const std::wstring* text = SpecimenTextField(first, field);
    for (const Specimen* specimen : specimens) {
        const bool same = text != nullptr ? *SpecimenTextField(*specimen, field) == *text
                                          : NumberField(*specimen, field) == NumberField(first, field);
        if (!same)
            return std::nullopt;
    }
    return text != nullptr ? *text : NumberText(first, field, currency);
}

std::vector<Tick> CategoryTicks(const std::vector<std::wstring>& listed,
                                const std::vector<const Specimen*>& specimens) {
    std::unordered_map<std::wstring_view, size_t> having;
    for (const Specimen* specimen : specimens) {
        // A specimen filed twice under one name counts once.
        std::vector<std::wstring_view> own(specimen->categories.begin(), specimen->categories.end());
        std::sort(own.begin(), own.end());
        own.erase(std::unique(own.begin(), own.end()), own.end());
        for (std::wstring_view category : own)
            ++having[category];
    }
    std::vector<Tick> ticks;
    ticks.reserve(listed.size());
    for (const std::wstring& category : listed) {
        auto found = having.find(category);
        const size_t count = found == having.end() ? 0 : found->second;
        ticks.push_back(count == 0 ? Tick::Unchecked : count == specimens.size() ? Tick::Checked : Tick::Mixed);
    }
    return ticks;
}

Tick NextTick(Tick tick, bool startedMixed) {
    switch (tick) {
        case Tick::Mixed:
            return Tick::Checked;
        case Tick::Checked:
            return Tick::Unchecked;
        default:
            return startedMixed ? Tick::Mixed : Tick::Checked;
    }
}

bool BatchEdit::ChangesNothing() const {
    return fields.empty() && categoriesAdded.empty() && categoriesRemoved.empty() && picture == Picture::Kept &&
           !mask.has_value();
}

void ReadCategoryTicks(const std::vector<std::wstring>& listed, const std::vector<Tick>& shown,
                       const std::vector<Tick>& now, BatchEdit& edit) {
    for (size_t i = 0; i < listed.size() && i < shown.size() && i < now.size(); ++i) {
        if (now[i] == shown[i] || now[i] == Tick::Mixed)
            continue;
        (now[i] == Tick::Checked ? edit.categoriesAdded : edit.categoriesRemoved).push_back(listed[i]);
    }
}

void ApplyBatchEdit(const BatchEdit& edit, Specimen& specimen) {
    for (const auto& [field, text] : edit.fields) {
        if (std::wstring* own = SpecimenTextField(specimen, field))
            *own = text;
        else
            SetNumber(specimen, field, text);
    }
    std::vector<std::wstring> categories = specimen.categories;
    std::erase_if(categories, [&](const std::wstring& category) { return Holds(edit.categoriesRemoved, category); });
    for (const std::wstring& category : edit.categoriesAdded) {
        if (!Holds(categories, category))
            categories.push_back(category);
    }
    if (!categories.empty())
        specimen.categories = std::move(categories);
    if (edit.picture != BatchEdit::Picture::Kept) {
        const bool set = edit.picture == BatchEdit::Picture::Set;
        specimen.pictureName = set ? edit.pictureName : std::wstring();
        specimen.pictureData = set ? edit.pictureData : std::vector<std::uint8_t>();
    }
    if (edit.mask)
        specimen.mask = *edit.mask;
}
