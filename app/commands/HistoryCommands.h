#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "catalog/CatalogHistory.h"

// Undo and redo: every command that changes the catalog watches its change with a recorder
// made before it (under the catalog lock) and hands it here afterwards.

namespace TQLibrary {

class Application;

// Keeps the change as a step of the history, when it changed anything, and names it in the
// Edit menu.
void RecordChange(Application& application, ChangeRecorder& recorder, const std::wstring& action);
// A recorder of a change that only adds specimens and categories, made under the catalog lock.
ChangeRecorder WatchNewSpecimens(Application& application);
// Records a restore or a replacing import that has read its file: the step keeps the specimens
// it replaced, which the session holds from the read (no copy is made before).
void RecordReplacement(Application& application, ChangeRecorder& recorder, const std::wstring& action);
// New and Open start an empty history.
void ClearHistory(Application& application);
// The Edit menu's Undo and Redo items: their texts name the actions, grey when there is none.
void ShowHistoryItems(Application& application);
// The action's name: the string with the value filled in.
std::wstring ActionName(unsigned textId, const std::wstring& value = std::wstring());
// The ids of the specimens filed under the category.
std::vector<std::int32_t> IdsInCategory(const Catalog& catalog, const std::wstring& category);

}  // namespace TQLibrary
