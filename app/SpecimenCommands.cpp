// The commands on the list's specimens.
#include "app/Application.h"
#include "app/CommandHandlers.h"
#include "resources/resource.h"

namespace TQLibrary {

namespace {

void OnSelectAll(TQAppWindows& application) {
    application.List().View().SelectAll();
}

constexpr HandlerEntry kHandlers[] = {
        {IDM_SELECT_ALL, OnSelectAll},
};

}  // namespace

std::span<const HandlerEntry> SpecimenCommandHandlers() {
    return kHandlers;
}

}  // namespace TQLibrary
