#include "Command.h"

#include <QCoreApplication>

#include <algorithm>

namespace cli {
namespace {

void printUsage(QTextStream& stream, const std::vector<std::unique_ptr<Command>>& commands)
{
    stream << "Usage: rollkeeper-cli [global options] COMMAND [options]\n\n"
              "Global options:\n"
              "  --settings FILE  settings file to use instead of Rollkeeper.ini\n"
              "  --port PORT      serial port of the camera (overrides the Port setting)\n"
              "  --demo           use a simulated camera instead of a serial port\n"
              "  --json           machine-readable output\n"
              "  -h, --help       show this help, or a command's help after it\n"
              "  --version        show the version\n\n"
              "Commands:\n";
    int width = 0;
    for (const auto& command : commands)
        width = std::max(width, static_cast<int>(command->name().size()));
    for (const auto& command : commands)
        stream << "  " << command->name().leftJustified(width + 2) << command->description()
               << "\n";
}

// The command whose words are the longest prefix of the given words, or null.
Command* findCommand(const std::vector<std::unique_ptr<Command>>& commands,
                     const QStringList& words, qsizetype& used)
{
    Command* best = nullptr;
    used = 0;
    for (const auto& command : commands) {
        const QStringList commandWords = command->name().split(QLatin1Char(' '));
        if (commandWords.size() > words.size() || commandWords.size() <= used)
            continue;
        if (std::equal(commandWords.cbegin(), commandWords.cend(), words.cbegin())) {
            best = command.get();
            used = commandWords.size();
        }
    }
    return best;
}

}  // namespace

int runCli(const QStringList& arguments, CliContext& context)
{
    const auto commands = allCommands();

    // Global options may stand anywhere; what is left is the command and its own
    // arguments. Options that take a value take the next word.
    QStringList rest;
    bool help = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        const bool takesValue = argument == QLatin1String("--settings")
                                || argument == QLatin1String("--port");
        if (takesValue) {
            if (i + 1 >= arguments.size()) {
                context.err << "Missing value after " << argument << "\n";
                return UsageError;
            }
            (argument == QLatin1String("--settings") ? context.settingsFile : context.port) =
                arguments.at(++i);
        } else if (argument.startsWith(QLatin1String("--settings="))) {
            context.settingsFile = argument.mid(11);
        } else if (argument.startsWith(QLatin1String("--port="))) {
            context.port = argument.mid(7);
        } else if (argument == QLatin1String("--json")) {
            context.json = true;
        } else if (argument == QLatin1String("--demo")) {
            context.demo = true;
        } else if (argument == QLatin1String("--version") && rest.isEmpty()) {
            context.out << "rollkeeper-cli " << QCoreApplication::applicationVersion() << "\n";
            return Success;
        } else if ((argument == QLatin1String("--help") || argument == QLatin1String("-h"))
                   && rest.isEmpty()) {
            help = true;
        } else {
            rest << argument;
        }
    }

    if (rest.isEmpty()) {
        printUsage(help ? context.out : context.err, commands);
        return help ? Success : UsageError;
    }

    qsizetype used = 0;
    Command* command = findCommand(commands, rest, used);
    if (!command) {
        context.err << "Unknown command: " << rest.join(QLatin1Char(' ')) << "\n\n";
        printUsage(context.err, commands);
        return UsageError;
    }
    return command->execute(rest.mid(used), context);
}

}  // namespace cli
