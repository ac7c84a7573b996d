// Help, About, the program's links and the update check.
#include "app/Application.h"
#include "app/CommandHandlers.h"
#include "app/UpdateCheck.h"
#include "catalog/Clock.h"
#include "resources/resource.h"

namespace TQLibrary {

namespace {

// An installer that was started replaces the program: the program makes way for it.
void OnCheckForUpdate(TQAppWindows& application) {
    if (CheckForUpdate(application.MainWindow(), application.DataFolder(), true, false, SystemClock()))
        PostMessageW(application.MainWindow(), WM_CLOSE, 0, 0);
}

constexpr HandlerEntry kHandlers[] = {
        {IDM_CHECK_UPDATE, OnCheckForUpdate},
};

}  // namespace

std::span<const HandlerEntry> HelpCommandHandlers() {
    return kHandlers;
}

}  // namespace TQLibrary
