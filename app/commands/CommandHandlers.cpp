#include "app/commands/CommandHandlers.h"

namespace TQLibrary {

namespace {

std::span<const HandlerEntry> HandlersOf(CommandGroup group) {
    switch (group) {
        case CommandGroup::File:
            return FileCommandHandlers();
        case CommandGroup::Categories:
            return CategoryCommandHandlers();
        case CommandGroup::Specimens:
            return SpecimenCommandHandlers();
        case CommandGroup::Exchange:
            return ExchangeCommandHandlers();
        case CommandGroup::Tools:
            return ToolsCommandHandlers();
        case CommandGroup::Help:
            return HelpCommandHandlers();
        case CommandGroup::History:
            return HistoryCommandHandlers();
    }
    return {};
}

}  // namespace

CommandHandler FindHandler(CommandGroup group, int command) {
    for (const HandlerEntry& entry : HandlersOf(group)) {
        if (entry.command == command)
            return entry.run;
    }
    return nullptr;
}

}  // namespace TQLibrary
