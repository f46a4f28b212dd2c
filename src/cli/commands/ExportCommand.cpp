// rollkeeper-cli export --db DB --format photosecretary|softtalk|csv --rolls 3,12|all
// --out PATTERN: writes rolls of a database to exchange files as the export window does.
// In PATTERN "%n" stands for the roll number (SoftTALK and PhotoSecretary write one file
// per roll); the CSV export writes PATTERN's name with "_Rolls" and "_Frames".

#include "cli/Command.h"
#include "cli/commands/DbOutput.h"

#include "db/Database.h"
#include "exchange/ExportRolls.h"
#include "model/Errors.h"

#include <QDir>

namespace cli {
namespace {

// "all", or roll numbers separated by commas; empty on a malformed list.
std::optional<QList<int32_t>> parseRolls(const QString& text, TDBTable& rolls)
{
    QList<int32_t> numbers;
    if (text.trimmed() == QLatin1String("all")) {
        for (rolls.first(); !rolls.eof(); rolls.next())
            numbers << rolls.field(QStringLiteral("RollNumber")).asInteger();
        return numbers;
    }
    for (const QString& part : text.split(QLatin1Char(','))) {
        bool ok = false;
        const int number = part.trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
        numbers << number;
    }
    return numbers;
}

class ExportCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("export"); }
    QString description() const override
    {
        return QStringLiteral("Export rolls of a database as PhotoSecretary, SoftTALK or CSV files");
    }

    int execute(const QStringList& arguments, CliContext& context) override
    {
        QCommandLineParser parser;
        const QCommandLineOption db(QStringLiteral("db"), QStringLiteral("The database file."),
                                    QStringLiteral("DB"));
        const QCommandLineOption format(QStringLiteral("format"),
                                        QStringLiteral("photosecretary, softtalk or csv."),
                                        QStringLiteral("FORMAT"));
        const QCommandLineOption rolls(QStringLiteral("rolls"),
                                       QStringLiteral("Roll numbers separated by commas, or all."),
                                       QStringLiteral("ROLLS"));
        const QCommandLineOption out(QStringLiteral("out"),
                                     QStringLiteral("File name; %n stands for the roll number."),
                                     QStringLiteral("PATTERN"));
        for (const QCommandLineOption* option : {&db, &format, &rolls, &out})
            parser.addOption(*option);
        int exitCode = Success;
        if (!parseArguments(parser, arguments, context, exitCode))
            return exitCode;

        const TExchangeFormat exchangeFormat = ExchangeFormatFromName(parser.value(format));
        if (!parser.isSet(db) || !parser.isSet(rolls) || parser.value(out).isEmpty()
            || (exchangeFormat != efPhotoSecretary && exchangeFormat != efSoftTALK && exchangeFormat != efCSV)) {
            context.err << "Give --db, --format photosecretary|softtalk|csv, --rolls and --out.\n\n"
                        << parser.helpText();
            return UsageError;
        }

        TDatabase database;
        if (!openDatabaseFile(database, parser.value(db), context))
            return Failure;
        try {
            const std::optional<QList<int32_t>> numbers = parseRolls(parser.value(rolls), database.rolls());
            if (!numbers) {
                context.err << "Not a list of roll numbers: " << parser.value(rolls) << "\n";
                return UsageError;
            }
            const QString fileName = QDir::current().absoluteFilePath(parser.value(out));
            const TExportResult result =
                ExportRolls(fileName, exchangeFormat, *numbers, database.frames(), database.rolls());
            for (const QString& file : result.Files)
                context.out << QDir::toNativeSeparators(file) << "\n";
            if (!result.Success) {
                context.err << (result.Message.isEmpty()
                                    ? QStringLiteral("None of the given rolls is in the database")
                                    : result.Message)
                            << "\n";
                return Failure;
            }
        } catch (const ERKError& error) {
            context.err << "Export failed: " << error.describe() << "\n";
            return Failure;
        }
        context.out << "Data exported successfully\n";
        return Success;
    }
};

}  // namespace

std::unique_ptr<Command> makeExportCommand()
{
    return std::make_unique<ExportCommand>();
}

}  // namespace cli
