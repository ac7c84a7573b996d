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

// Takes the specimens of one side out of the catalog, into that side, and moves the other
// side's back in at their places. The specimens neither side holds keep their order, so each
// lands where it stood.
void Exchange(Catalog& catalog, std::vector<PlacedSpecimen>& out, std::vector<PlacedSpecimen>& in) {
    std::unordered_map<std::int32_t, size_t> leaving;
    for (size_t i = 0; i < out.size(); ++i)
        leaving.emplace(out[i].specimen.id, i);
    std::vector<Specimen>& specimens = catalog.Specimens();
    std::vector<Specimen> staying;
    staying.reserve(specimens.size() - std::min(specimens.size(), out.size()) + in.size());
    auto next = in.begin();
    const auto takeDue = [&](bool all) {
        while (next != in.end() && (all || next->place <= staying.size())) {
            const std::int32_t id = next->specimen.id;
            staying.push_back(std::move(next->specimen));
            next->specimen = Specimen();
            next->specimen.id = id;
            ++next;
        }
    };
    for (Specimen& specimen : specimens) {
        takeDue(false);
        if (auto going = leaving.find(specimen.id); going != leaving.end())
            out[going->second].specimen = std::move(specimen);
        else
            staying.push_back(std::move(specimen));
    }
    // Places past the end (none when the step fits this catalog) still come back, last.
    takeDue(true);
    specimens = std::move(staying);
}

// The settings as wanted, but for those no undoable command changes, which stay as they are
// now: the user's view of the catalog (window, splitter, sort, tab, column widths, last folder),
// the report dialog's choices, and the daily message's switch, which lives in the registry too.
void ApplySettings(Settings& current, const Settings& wanted) {
    const Settings view = current;
    current = wanted;
    current.reportLabels = view.reportLabels;
    current.reportSizes = view.reportSizes;
    current.reportFont = view.reportFont;
    current.reportSort = view.reportSort;
    current.reportType = view.reportType;
    current.reportSpecimens = view.reportSpecimens;
    current.showMessages = view.showMessages;
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

void ChangeRecorder::TakeReplaced(std::vector<Specimen> replaced) {
    touched_.clear();
    touched_.reserve(replaced.size());
    for (size_t place = 0; place < replaced.size(); ++place)
        touched_.push_back({place, std::move(replaced[place])});
}

void ChangeRecorder::Watch(const Catalog& catalog, size_t place) {
    // Kept by place, each once: appending when the places come in file order.
    auto at = std::lower_bound(touched_.begin(), touched_.end(), place,
                               [](const PlacedSpecimen& placed, size_t wanted) { return placed.place < wanted; });
    if (at == touched_.end() || at->place != place)
        touched_.insert(at, {place, catalog.Specimens()[place]});
}

size_t ChangeRecorder::RemoveSpecimens(Catalog& catalog, const std::vector<std::int32_t>& ids) {
    const std::unordered_set<std::int32_t> doomed(ids.begin(), ids.end());
    std::vector<Specimen>& specimens = catalog.Specimens();
    std::vector<PlacedSpecimen> taken;
    size_t kept = 0;
    for (size_t place = 0; place < specimens.size(); ++place) {
        if (doomed.contains(specimens[place].id))
            taken.push_back({place, std::move(specimens[place])});
        else if (kept++ != place)
            specimens[kept - 1] = std::move(specimens[place]);
    }
    specimens.resize(kept);
    // The specimens watched already keep their copies from before.
    std::unordered_set<std::int32_t> watched;
    for (const PlacedSpecimen& placed : touched_)
        watched.insert(placed.specimen.id);
    for (PlacedSpecimen& placed : taken) {
        if (!watched.contains(placed.specimen.id))
            touched_.push_back(std::move(placed));
    }
    std::sort(touched_.begin(), touched_.end(),
              [](const PlacedSpecimen& a, const PlacedSpecimen& b) { return a.place < b.place; });
    return taken.size();
}

std::optional<CatalogStep> ChangeRecorder::Finish(const Catalog& catalog, std::wstring action) {
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
    for (PlacedSpecimen& placed : touched_) {
        const size_t place = now[placed.specimen.id];
        if (place != SIZE_MAX && specimens[place] == placed.specimen)
            continue;
        step.before.push_back(std::move(placed));
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

void KeepPlacesOnly(std::vector<PlacedSpecimen>& side) {
    for (PlacedSpecimen& placed : side) {
        Specimen shell;
        shell.id = placed.specimen.id;
        placed.specimen = std::move(shell);
    }
}

namespace {

// Puts the catalog as the step found it (back) or as the step left it.
void PutAs(Catalog& catalog, CatalogStep& step, bool back) {
    if (back)
        Exchange(catalog, step.after, step.before);
    else
        Exchange(catalog, step.before, step.after);
    if (step.categoriesChanged)
        catalog.SetCategories(back ? step.categoriesBefore : step.categoriesAfter);
    if (step.coloursBefore != step.coloursAfter)
        catalog.SetColours(back ? step.coloursBefore : step.coloursAfter);
    if (step.settingsChanged)
        ApplySettings(catalog.CurrentSettings(), back ? step.settingsBefore : step.settingsAfter);
}

}  // namespace

void UndoStep(Catalog& catalog, CatalogStep& step) {
    PutAs(catalog, step, true);
}

void RedoStep(Catalog& catalog, CatalogStep& step) {
    PutAs(catalog, step, false);
}

void CatalogHistory::Record(CatalogStep step) {
    for (const CatalogStep& dropped : redo_)
        bytes_ -= dropped.Bytes();
    redo_.clear();
    // The catalog holds what the change left.
    KeepPlacesOnly(step.after);
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
    return Shift(catalog, undo_, redo_, true);
}

const CatalogStep* CatalogHistory::Redo(Catalog& catalog) {
    return Shift(catalog, redo_, undo_, false);
}

const CatalogStep* CatalogHistory::Shift(Catalog& catalog, std::deque<CatalogStep>& from, std::deque<CatalogStep>& to,
                                         bool back) {
    if (from.empty())
        return nullptr;
    // What the step holds changes as specimens move between it and the catalog.
    bytes_ -= from.back().Bytes();
    PutAs(catalog, from.back(), back);
    bytes_ += from.back().Bytes();
    to.push_back(std::move(from.back()));
    from.pop_back();
    KeepWithinLimits();
    return &to.back();
}

void CatalogHistory::KeepWithinLimits() {
    // The newest step stays, however large: a replace-import of a big catalog can still be undone.
    while (undo_.size() > 1 && (undo_.size() + redo_.size() > kMaxSteps || bytes_ > kMaxBytes)) {
        bytes_ -= undo_.front().Bytes();
        undo_.pop_front();
    }
}
