#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "catalog/Settings.h"
#include "catalog/Specimen.h"

class Catalog;

// Undo and redo, window-free. A step keeps only what one change touched: the specimens it took
// out or changed as they were, those it put in or changed as it left them, each with its place
// in file order, and the category list, colours and settings when they changed. Where the window
// stands, the list's sort, the current tab and the report dialog's choices are not changed by
// any undoable command: undo leaves them as they are. Applying one side takes
// the other side's specimens out and puts this side's back at their places, so the file written
// afterwards is the one written before the change, byte for byte. The specimens move between
// the catalog and the step, never copied: the side the catalog holds keeps only ids and places.

struct PlacedSpecimen {
    size_t place = 0;
    Specimen specimen;

    bool operator==(const PlacedSpecimen&) const = default;
};

struct CatalogStep {
    std::wstring action;                 // what the menu names: "Delete 3 Specimens"
    std::vector<PlacedSpecimen> before;  // by place, as the catalog held them before
    std::vector<PlacedSpecimen> after;   // by place, as the change left them
    bool categoriesChanged = false;
    std::vector<std::wstring> categoriesBefore;
    std::vector<std::wstring> categoriesAfter;
    std::set<std::wstring> coloursBefore;
    std::set<std::wstring> coloursAfter;
    bool settingsChanged = false;
    Settings settingsBefore;
    Settings settingsAfter;

    // The memory the step holds, roughly: what the history's limit counts.
    size_t Bytes() const;
};

// Watches one change. Made before it with the ids of the specimens it may change or take out;
// the specimens it adds are those with ids handed out after.
class ChangeRecorder {
public:
    ChangeRecorder(const Catalog& catalog, const std::vector<std::int32_t>& touched);
    // A restore or a replacing import, which holds the specimens it replaces already: the
    // recorder copies none of them before, and is handed them afterwards.
    void TakeReplaced(std::vector<Specimen> replaced);
    // One more specimen the change is about to alter, watched in file order (a date restyle
    // copies only the specimens whose dates it rewrites).
    void Watch(const Catalog& catalog, size_t place);
    // A deletion that moves the specimens into the recorder rather than copying them first:
    // a catalog's worth of memory less when many go. Returns how many went.
    size_t RemoveSpecimens(Catalog& catalog, const std::vector<std::int32_t>& ids);
    // The step, or none when the change changed nothing; the recorder is spent.
    std::optional<CatalogStep> Finish(const Catalog& catalog, std::wstring action);

private:
    explicit ChangeRecorder(const Catalog& catalog);

    std::vector<PlacedSpecimen> touched_;  // as they were, by place
    std::int32_t lastId_ = 0;
    std::vector<std::wstring> categories_;
    std::set<std::wstring> colours_;
    Settings settings_;
};

// Puts the catalog back as the step found it, or again as the step left it.
void UndoStep(Catalog& catalog, CatalogStep& step);
void RedoStep(Catalog& catalog, CatalogStep& step);
// The specimens of one side of a step, as the catalog holds them, become ids and places only.
void KeepPlacesOnly(std::vector<PlacedSpecimen>& side);

// The steps that can be undone and redone: at most 100 and 64 MB, the oldest dropped first.
class CatalogHistory {
public:
    static constexpr size_t kMaxSteps = 100;
    static constexpr size_t kMaxBytes = size_t{64} << 20;

    // A new change: what was undone can no longer be redone.
    void Record(CatalogStep step);
    void Clear();
    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    const std::wstring& UndoAction() const;
    const std::wstring& RedoAction() const;
    // The step undone or redone, for the views to show its specimens; none when there was none.
    const CatalogStep* Undo(Catalog& catalog);
    const CatalogStep* Redo(Catalog& catalog);
    size_t Steps() const { return undo_.size() + redo_.size(); }
    size_t Bytes() const { return bytes_; }

private:
    // Applies the newest step of one list and moves it to the other.
    const CatalogStep* Shift(Catalog& catalog, std::deque<CatalogStep>& from, std::deque<CatalogStep>& to, bool back);
    void KeepWithinLimits();

    std::deque<CatalogStep> undo_;  // the newest last
    std::deque<CatalogStep> redo_;  // the next to redo last
    size_t bytes_ = 0;
};
