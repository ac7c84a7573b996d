// Help, About, the program's links and the update check.
#include "app/Application.h"
#include "app/CommandHandlers.h"
#include "resources/resource.h"

namespace TQLibrary {

std::span<const HandlerEntry> HelpCommandHandlers() {
    // No command of this group has its handler yet; each arrives here with its dialog.
    return {};
}

}  // namespace TQLibrary
