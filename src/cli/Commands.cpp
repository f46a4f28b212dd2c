// The list of rollkeeper-cli commands, one line each, in the order --help shows them.

#include "Command.h"

namespace cli {

std::unique_ptr<Command> makeDbCreateCommand();
std::unique_ptr<Command> makeDbRollsCommand();
std::unique_ptr<Command> makeDbFramesCommand();
std::unique_ptr<Command> makeDetectCommand();
std::unique_ptr<Command> makeImportCommand();
std::unique_ptr<Command> makeExportCommand();

std::vector<std::unique_ptr<Command>> allCommands()
{
    std::vector<std::unique_ptr<Command>> commands;
    commands.push_back(makeDbCreateCommand());
    commands.push_back(makeDbRollsCommand());
    commands.push_back(makeDbFramesCommand());
    commands.push_back(makeDetectCommand());
    commands.push_back(makeImportCommand());
    commands.push_back(makeExportCommand());
    return commands;
}

}  // namespace cli
