// db rolls FILE and db frames FILE --roll N: the stored rows, every column as stored.

#include "cli/Command.h"
#include "cli/commands/DbOutput.h"

#include "db/Database.h"
#include "db/DatabaseErrors.h"

namespace cli {
namespace {

class DbRollsCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("db rolls"); }
    QString description() const override { return QStringLiteral("List the rolls of a database file."); }

    int execute(const QStringList& arguments, CliContext& context) override
    {
        QCommandLineParser parser;
        parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("The database file."));
        int exitCode = Success;
        if (!parseArguments(parser, arguments, context, exitCode))
            return exitCode;
        if (parser.positionalArguments().size() != 1) {
            context.err << "Give one database file.\n\n" << parser.helpText();
            return UsageError;
        }
        TDatabase database;
        if (!openDatabaseFile(database, parser.positionalArguments().first(), context))
            return Failure;
        try {
            printRows(database.rolls(), context);
        } catch (const ERKError& error) {
            context.err << error.describe() << "\n";
            return Failure;
        }
        return Success;
    }
};

class DbFramesCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("db frames"); }
    QString description() const override { return QStringLiteral("List the frames of one roll of a database file."); }

    int execute(const QStringList& arguments, CliContext& context) override
    {
        QCommandLineParser parser;
        parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("The database file."));
        const QCommandLineOption roll(QStringLiteral("roll"), QStringLiteral("The roll number."),
                                      QStringLiteral("N"));
        parser.addOption(roll);
        int exitCode = Success;
        if (!parseArguments(parser, arguments, context, exitCode))
            return exitCode;
        bool numeric = false;
        const int number = parser.value(roll).toInt(&numeric);
        if (parser.positionalArguments().size() != 1 || !numeric) {
            context.err << "Give one database file and --roll N.\n\n" << parser.helpText();
            return UsageError;
        }
        TDatabase database;
        if (!openDatabaseFile(database, parser.positionalArguments().first(), context))
            return Failure;
        try {
            if (!database.rolls().locate(QStringLiteral("RollNumber"), {number})) {
                context.err << "The database holds no roll " << number << "\n";
                return Failure;
            }
            printRows(database.frames(), context);
        } catch (const ERKError& error) {
            context.err << error.describe() << "\n";
            return Failure;
        }
        return Success;
    }
};

}  // namespace

std::unique_ptr<Command> makeDbRollsCommand()
{
    return std::make_unique<DbRollsCommand>();
}

std::unique_ptr<Command> makeDbFramesCommand()
{
    return std::make_unique<DbFramesCommand>();
}

}  // namespace cli
