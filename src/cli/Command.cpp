#include "Command.h"

namespace cli {
namespace {

// QCommandLineParser names the running executable on its usage line; a command's help
// names the command instead.
QString commandHelp(const QCommandLineParser& parser, const QString& commandName)
{
    QString help = parser.helpText();
    const qsizetype options = help.indexOf(QLatin1String(" [options]"));
    if (help.startsWith(QLatin1String("Usage: ")) && options > 0)
        help.replace(7, options - 7, QStringLiteral("rollkeeper-cli ") + commandName);
    return help;
}

}  // namespace

bool Command::parseArguments(QCommandLineParser& parser, const QStringList& arguments,
                             CliContext& context, int& exitCode) const
{
    parser.setApplicationDescription(description());
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    parser.addOption(help);

    // QCommandLineParser takes the program name first.
    QStringList argv{QStringLiteral("rollkeeper-cli")};
    argv += arguments;
    const bool parsed = parser.parse(argv);
    if (parsed && parser.isSet(help)) {
        context.out << commandHelp(parser, name());
        exitCode = Success;
        return false;
    }
    if (!parsed) {
        context.err << parser.errorText() << "\n\n" << commandHelp(parser, name());
        exitCode = UsageError;
        return false;
    }
    return true;
}

}  // namespace cli
