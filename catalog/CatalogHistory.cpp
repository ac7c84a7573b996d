#include "catalog/CatalogHistory.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "catalog/Catalog.h"

namespace {

size_t TextBytes(const std::wstring& text) {
    return sizeof(std::wstring) + text.capacity() * sizeof(wchar_t);
}

size_t SpecimenBytes(const Specimen& specimen) {
    size_t bytes = sizeof(PlacedSpecimen) + specimen.pictureData.capacity();
    for (const std::wstring* text :
         {&specimen.abundance, &specimen.collector, &specimen.colour, &specimen.commonName, &specimen.dateCollected,
          &specimen.dimensions, &specimen.latinName, &specimen.location, &specimen.pictureName, &specimen.quality,
          &specimen.remarks, &specimen.tag})
        bytes += text->capacity() * sizeof(wchar_t);
    for (const std::wstring& text : specimen.userFields)
        bytes += text.capacity() * sizeof(wchar_t);
    for (const std::wstring& category : specimen.categories)
        bytes += TextBytes(category);
    return bytes;
}

// Takes out the specimens of one side and puts the other's back at their places. The
// specimens neither side holds keep their order, so each lands where it stood.
void Exchange(Catalog& catalog, const std::vector<PlacedSpecimen>& out, const std::vector<PlacedSpecimen>& in) {
    std::unordered_set<std::int32_t> leaving;
    for (const PlacedSpecimen& placed : out)
        leaving.insert(placed.specimen.id);
    std::vector<Specimen>& specimens = catalog.Specimens();
    std::vector<Specimen> staying;
    staying.reserve(specimens.size() - std::min(specimens.size(), out.size()) + in.size());
    auto next = in.begin();
    const auto takeDue = [&] {
        while (next != in.end() && next->place <= staying.size())
            staying.push_back((next++)->specimen);
    };
    for (Specimen& specimen : specimens) {
        takeDue();
        if (!leaving.contains(specimen.id))
            staying.push_back(std::move(specimen));
    }
    takeDue();
    // Places past the end (none when the step fits this catalog) still come back, last.
    while (next != in.end())
        staying.push_back((next++)->specimen);
    specimens = std::move(staying);
}

// The settings as wanted, but for the user's view of the catalog, which stays as it is now.
void ApplySettings(Settings& current, const Settings& wanted) {
    const Settings view = current;
    current = wanted;
    current.readOnly = view.readOnly;
    current.currentCategory = view.currentCategory;
    current.lastFolder = view.lastFolder;
    current.columnWidths = view.columnWidths;
    current.windowLeft = view.windowLeft;
    current.windowTop = view.windowTop;
    current.windowWidth = view.windowWidth;
    current.windowHeight = view.windowHeight;
    current.sortColumn = view.sortColumn;
    current.sortDescending = view.sortDescending;
    current.splitter = view.splitter;
}

// Whether the settings differ only in the user's view.
bool SameCatalogSettings(const Settings& a, const Settings& b) {
    Settings bWithViewOfA = a;
    ApplySettings(bWithViewOfA, b);
    return !bWithViewOfA.DiffersFrom(a);
}

}  // namespace

size_t CatalogStep::Bytes() const {
    size_t bytes = sizeof(CatalogStep) + TextBytes(action);
    for (const std::vector<PlacedSpecimen>* side : {&before, &after}) {
        for (const PlacedSpecimen& placed : *side)
            bytes += SpecimenBytes(placed.specimen);
    }
    for (const std::vector<std::wstring>* list : {&categoriesBefore, &categoriesAfter}) {
        for (const std::wstring& category : *list)
            bytes += TextBytes(category);
    }
    for (const std::set<std::wstring>* colours : {&coloursBefore, &coloursAfter}) {
        for (const std::wstring& colour : *colours)
            bytes += TextBytes(colour) + 32;
    }
    return bytes;
}

ChangeRecorder::ChangeRecorder(const Catalog& catalog)
    : lastId_(catalog.LastId()),
      categories_(catalog.Categories()),
      colours_(catalog.Colours()),
      settings_(catalog.CurrentSettings()) {}

ChangeRecorder::ChangeRecorder(const Catalog& catalog, const std::vector<std::int32_t>& touched)
    : ChangeRecorder(catalog) {
    const std::unordered_set<std::int32_t> wanted(touched.begin(), touched.end());
    const std::vector<Specimen>& specimens = catalog.Specimens();
    for (size_t place = 0; place < specimens.size() && touched_.size() < wanted.size(); ++place) {
        if (wanted.contains(specimens[place].id))
            touched_.push_back({place, specimens[place]});
    }
}

ChangeRecorder ChangeRecorder::Everything(const Catalog& catalog) {
    ChangeRecorder recorder(catalog);
    const std::vector<Specimen>& specimens = catalog.Specimens();
    recorder.touched_.reserve(specimens.size());
    for (size_t place = 0; place < specimens.size(); ++place)
        recorder.touched_.push_back({place, specimens[place]});
    return recorder;
}

std::optional<CatalogStep> ChangeRecorder::Finish(const Catalog& catalog, std::wstring action) const {
    CatalogStep step;
    step.action = std::move(action);
    // Where the watched specimens are now, and the new ones.
    std::unordered_map<std::int32_t, size_t> now;
    const std::vector<Specimen>& specimens = catalog.Specimens();
    for (const PlacedSpecimen& placed : touched_)
        now.emplace(placed.specimen.id, SIZE_MAX);
    for (size_t place = 0; place < specimens.size(); ++place) {
        const std::int32_t id = specimens[place].id;
        if (id > lastId_)
            step.after.push_back({place, specimens[place]});
        else if (auto watched = now.find(id); watched != now.end())
            watched->second = place;
    }
    std::vector<PlacedSpecimen> changed;
    for (const PlacedSpecimen& placed : touched_) {
        const size_t place = now[placed.specimen.id];
        if (place != SIZE_MAX && specimens[place] == placed.specimen)
            continue;
        step.before.push_back(placed);
        if (place != SIZE_MAX)
            changed.push_back({place, specimens[place]});
    }
    // Both sides by place: the new specimens and the changed ones together.
    step.after.insert(step.after.end(), changed.begin(), changed.end());
    std::sort(step.after.begin(), step.after.end(),
              [](const PlacedSpecimen& a, const PlacedSpecimen& b) { return a.place < b.place; });
    step.categoriesChanged = catalog.Categories() != categories_;
    if (step.categoriesChanged) {
        step.categoriesBefore = categories_;
        step.categoriesAfter = catalog.Categories();
    }
    if (catalog.Colours() != colours_) {
        step.coloursBefore = colours_;
        step.coloursAfter = catalog.Colours();
    }
    step.settingsChanged = !SameCatalogSettings(settings_, catalog.CurrentSettings());
    if (step.settingsChanged) {
        step.settingsBefore = settings_;
        step.settingsAfter = catalog.CurrentSettings();
    }
    if (step.before.empty() && step.after.empty() && !step.categoriesChanged &&
        step.coloursBefore == step.coloursAfter && !step.settingsChanged)
        return std::nullopt;
    return step;
}

void UndoStep(Catalog& catalog, const CatalogStep& step) {
    Exchange(catalog, step.after, step.before);
    if (step.categoriesChanged)
        catalog.SetCategories(step.categoriesBefore);
    if (step.coloursBefore != step.coloursAfter)
        catalog.SetColours(step.coloursBefore);
    if (step.settingsChanged)
        ApplySettings(catalog.CurrentSettings(), step.settingsBefore);
}

void RedoStep(Catalog& catalog, const CatalogStep& step) {
    Exchange(catalog, step.before, step.after);
    if (step.categoriesChanged)
        catalog.SetCategories(step.categoriesAfter);
    if (step.coloursBefore != step.coloursAfter)
        catalog.SetColours(step.coloursAfter);
    if (step.settingsChanged)
        ApplySettings(catalog.CurrentSettings(), step.settingsAfter);
}

void CatalogHistory::Record(CatalogStep step) {
    for (const CatalogStep& dropped : redo_)
        bytes_ -= dropped.Bytes();
    redo_.clear();
    bytes_ += step.Bytes();
    undo_.push_back(std::move(step));
    KeepWithinLimits();
}

void CatalogHistory::Clear() {
    undo_.clear();
    redo_.clear();
    bytes_ = 0;
}

const std::wstring& CatalogHistory::UndoAction() const {
    static const std::wstring none;
    return undo_.empty() ? none : undo_.back().action;
}

const std::wstring& CatalogHistory::RedoAction() const {
    static const std::wstring none;
    return redo_.empty() ? none : redo_.back().action;
}

const CatalogStep* CatalogHistory::Undo(Catalog& catalog) {
    if (undo_.empty())
        return nullptr;
    UndoStep(catalog, undo_.back());
    redo_.push_back(std::move(undo_.back()));
    undo_.pop_back();
    return &redo_.back();
}

const CatalogStep* CatalogHistory::Redo(Catalog& catalog) {
    if (redo_.empty())
        return nullptr;
    RedoStep(catalog, redo_.back());
    undo_.push_back(std::move(redo_.back()));
    redo_.pop_back();
    return &undo_.back();
}

void CatalogHistory::KeepWithinLimits() {
    // The newest step stays, however large: a replace-import of a big catalog can still be undone.
    while (undo_.size() > 1 && (undo_.size() + redo_.size() > kMaxSteps || bytes_ > kMaxBytes)) {
        bytes_ -= undo_.front().Bytes();
        undo_.pop_front();
    }
}
