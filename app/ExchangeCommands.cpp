// Export and import of comma-separated and markup files.
#include "app/Application.h"
#include "app/CommandHandlers.h"
#include "resources/resource.h"

namespace TQLibrary {

std::span<const HandlerEntry> ExchangeCommandHandlers() {
    // No command of this group has its handler yet; each arrives here with its dialog.
    return {};
}

}  // namespace TQLibrary
