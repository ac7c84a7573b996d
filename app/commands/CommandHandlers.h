#pragma once

#include <span>

#include "frame/CommandTable.h"

// The commands' handlers, one file per command group; the command table says which group a
// command belongs to. A command without a handler yet does nothing.

namespace TQLibrary {

class Application;

using CommandHandler = void (*)(Application& application);

struct HandlerEntry {
    int command;
    CommandHandler run;
};

std::span<const HandlerEntry> FileCommandHandlers();
std::span<const HandlerEntry> CategoryCommandHandlers();
std::span<const HandlerEntry> SpecimenCommandHandlers();
std::span<const HandlerEntry> ExchangeCommandHandlers();
std::span<const HandlerEntry> ToolsCommandHandlers();
std::span<const HandlerEntry> HelpCommandHandlers();
std::span<const HandlerEntry> HistoryCommandHandlers();

// The handler of a command in its group; none when it has none yet.
CommandHandler FindHandler(CommandGroup group, int command);

}  // namespace TQLibrary
