// The list of rollkeeper-cli commands, one line each, in the order --help shows them.

#include "Command.h"

namespace cli {

std::unique_ptr<Command> makeDownloadCommand();
std::unique_ptr<Command> makeDecodeCommand();
std::unique_ptr<Command> makeCustomSettingsReadCommand();
std::unique_ptr<Command> makeCustomSettingsWriteCommand();
std::unique_ptr<Command> makePresetsCommand();
std::unique_ptr<Command> makeDataSettingsReadCommand();
std::unique_ptr<Command> makeDataSettingsWriteCommand();
std::unique_ptr<Command> makeDataSizeCommand();
std::unique_ptr<Command> makeDeleteDataCommand();
std::unique_ptr<Command> makeDbCreateCommand();
std::unique_ptr<Command> makeDbRollsCommand();
std::unique_ptr<Command> makeDbFramesCommand();
std::unique_ptr<Command> makeDetectCommand();
std::unique_ptr<Command> makeImportCommand();
std::unique_ptr<Command> makeExportCommand();

std::vector<std::unique_ptr<Command>> allCommands()
{
    std::vector<std::unique_ptr<Command>> commands;
    commands.push_back(makeDownloadCommand());
    commands.push_back(makeDecodeCommand());
    commands.push_back(makeCustomSettingsReadCommand());
    commands.push_back(makeCustomSettingsWriteCommand());
    commands.push_back(makePresetsCommand());
    commands.push_back(makeDataSettingsReadCommand());
    commands.push_back(makeDataSettingsWriteCommand());
    commands.push_back(makeDataSizeCommand());
    commands.push_back(makeDeleteDataCommand());
    commands.push_back(makeDbCreateCommand());
    commands.push_back(makeDbRollsCommand());
    commands.push_back(makeDbFramesCommand());
    commands.push_back(makeDetectCommand());
    commands.push_back(makeImportCommand());
    commands.push_back(makeExportCommand());
    return commands;
}

}  // namespace cli
