#include "Command.h"

namespace cli {

bool Command::parseArguments(QCommandLineParser& parser, const QStringList& arguments,
                             CliContext& context, int& exitCode) const
{
    parser.setApplicationDescription(description());
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    parser.addOption(help);

    // QCommandLineParser takes the program name first; show the command words there.
    QStringList argv{QStringLiteral("rollkeeper-cli ") + name()};
    argv += arguments;
    const bool parsed = parser.parse(argv);
    if (parsed && parser.isSet(help)) {
        context.out << parser.helpText();
        exitCode = Success;
        return false;
    }
    if (!parsed) {
        context.err << parser.errorText() << "\n\n" << parser.helpText();
        exitCode = UsageError;
        return false;
    }
    return true;
}

}  // namespace cli
