// Export and import of comma-separated and markup files.
#include "app/Application.h"
#include "app/CommandHandlers.h"
#include "app/ExportCommand.h"
#include "app/ExportDialog.h"
#include "resources/resource.h"

namespace TQLibrary {

namespace {

void OnExport(TQAppWindows& application) {
    ExportChoice choice;
    if (ChooseExport(application, choice))
        WriteExport(application, choice);
}

// clang-format off
constexpr HandlerEntry kHandlers[] = {
        {IDM_EXPORT, OnExport},
};
// clang-format on

}  // namespace

std::span<const HandlerEntry> ExchangeCommandHandlers() {
    return kHandlers;
}

}  // namespace TQLibrary
