// db create FILE [--force]: a new, empty database file.

#include "cli/Command.h"

#include "db/DatabaseErrors.h"
#include "db/Schema.h"

#include <QFileInfo>

namespace cli {
namespace {

class DbCreateCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("db create"); }
    QString description() const override { return QStringLiteral("Create a new, empty database file."); }

    int execute(const QStringList& arguments, CliContext& context) override
    {
        QCommandLineParser parser;
        parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("The database file (.rkdb)."));
        const QCommandLineOption force(QStringLiteral("force"),
                                       QStringLiteral("Replace an existing file's whole content."));
        parser.addOption(force);
        int exitCode = Success;
        if (!parseArguments(parser, arguments, context, exitCode))
            return exitCode;
        if (parser.positionalArguments().size() != 1) {
            context.err << "Give one database file.\n\n" << parser.helpText();
            return UsageError;
        }
        const QString file = parser.positionalArguments().first();
        if (QFileInfo::exists(file) && !parser.isSet(force)) {
            context.err << "Couldn't create \"" << file
                        << "\": the file exists (--force replaces its whole content)\n";
            return Failure;
        }
        try {
            CreateDatabaseFile(kNativeDatabaseFormat, file);
        } catch (const ERKError& error) {
            context.err << "Couldn't create \"" << file << "\": " << error.describe() << "\n";
            return Failure;
        }
        return Success;
    }
};

}  // namespace

std::unique_ptr<Command> makeDbCreateCommand()
{
    return std::make_unique<DbCreateCommand>();
}

}  // namespace cli
