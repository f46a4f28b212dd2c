// rollkeeper-cli import --db DB [--yes] FILE[=ROLL]...: imports exchange files into a
// database as the import window does. Each file gets the roll number given after "=",
// or the one the file proposes. Unrecognised files are reported and skipped; every other
// row must have a roll number above 0 that no other row has and the database does not
// hold. Without --yes the rows are only shown; with it they are read into one roll set
// and added. A file that cannot be read stops the import before anything is added.

#include "cli/Command.h"
#include "cli/commands/DbOutput.h"

#include "db/Database.h"
#include "exchange/FileFilters.h"
#include "exchange/ImportFiles.h"
#include "model/Errors.h"
#include "settings/Settings.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace cli {
namespace {

struct TListedFile
{
    TImportRow Row;
    TExchangeFormat Format = efUnrecognised;
};

// "FILE=ROLL" or "FILE". A name that itself holds "=" is taken whole when such a file
// exists and the part before the last "=" does not.
TImportRow parseRow(const QString& argument, bool& explicitNumber)
{
    const qsizetype equals = argument.lastIndexOf(QLatin1Char('='));
    explicitNumber = equals > 0 && !(QFileInfo::exists(argument) && !QFileInfo::exists(argument.left(equals)));
    if (!explicitNumber)
        return TImportRow{argument, std::nullopt};
    bool ok = false;
    const int number = argument.mid(equals + 1).trimmed().toInt(&ok);
    return TImportRow{argument.left(equals), ok ? std::optional<int32_t>(number) : std::nullopt};
}

QString rollText(const TImportRow& row)
{
    return row.RollNumber ? QString::number(*row.RollNumber) : QStringLiteral("?");
}

class ImportCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("import"); }
    QString description() const override
    {
        return QStringLiteral("Import SoftTALK, PhotoSecretary, F90 and MV-1 files into a database");
    }

    int execute(const QStringList& arguments, CliContext& context) override
    {
        QCommandLineParser parser;
        const QCommandLineOption db(QStringLiteral("db"), QStringLiteral("The database file."),
                                    QStringLiteral("DB"));
        const QCommandLineOption yes(QStringLiteral("yes"),
                                     QStringLiteral("Import; without it the rows are only shown."));
        parser.addOption(db);
        parser.addOption(yes);
        parser.addPositionalArgument(QStringLiteral("FILE[=ROLL]"),
                                     QStringLiteral("Files, each with the roll number to import it as."),
                                     QStringLiteral("FILE[=ROLL]..."));
        int exitCode = Success;
        if (!parseArguments(parser, arguments, context, exitCode))
            return exitCode;
        if (!parser.isSet(db) || parser.positionalArguments().isEmpty()) {
            context.err << "Give --db DB and at least one file.\n\n" << parser.helpText();
            return UsageError;
        }

        QList<TListedFile> listed;
        try {
            listed = listFiles(parser.positionalArguments(), context);
        } catch (const ERKError& error) {
            context.err << error.describe() << "\n";
            return Failure;
        }
        if (listed.isEmpty()) {
            context.err << "No file to import\n";
            return Failure;
        }

        TDatabase database;
        if (!openDatabaseFile(database, parser.value(db), context))
            return Failure;
        QString photographer;
        try {
            photographer = Settings::open(context.settingsFile)->readPhotographer();
        } catch (const ERKError& error) {
            context.err << error.describe() << "\n";
            return Failure;
        }

        QList<TImportRow> rows;
        for (const TListedFile& file : listed)
            rows << file.Row;
        TImportResult result;
        try {
            if (parser.isSet(yes)) {
                result = ImportFiles(database, rows, photographer, progressPrinter(context));
                if (context.errIsTerminal)
                    context.err << "\n";
            } else {
                result.Problems = CheckImportRule(rows, database);
            }
        } catch (const ERKError& error) {
            context.err << "Import failed, nothing was added: " << error.describe() << "\n";
            return Failure;
        }
        return report(listed, result, parser.isSet(yes), context);
    }

private:
    static QList<TListedFile> listFiles(const QStringList& arguments, CliContext& context)
    {
        QList<TListedFile> listed;
        QStringList seen;
        for (const QString& argument : arguments) {
            bool explicitNumber = false;
            TListedFile file{parseRow(argument, explicitNumber), efUnrecognised};
            file.Row.FileName = QFileInfo(file.Row.FileName).absoluteFilePath();
            if (seen.contains(file.Row.FileName))
                continue;
            const TSourceFile source = LoadSourceFile(file.Row.FileName);
            file.Format = DetectFormat(source.Data);
            if (file.Format == efUnrecognised) {
                context.err << file.Row.FileName << ": not a recognised exchange file, skipped\n";
                continue;
            }
            if (!explicitNumber) {
                const int32_t proposed = ProposedRollNumber(source, file.Format);
                file.Row.RollNumber = proposed;
            }
            seen << file.Row.FileName;
            listed << file;
        }
        return listed;
    }

    static std::function<void(const QString&, const QString&)> progressPrinter(CliContext& context)
    {
        if (!context.errIsTerminal)
            return {};
        return [&context](const QString& count, const QString& stage) {
            context.err << "\r" << stage << " " << count;
            context.err.flush();
        };
    }

    static int report(const QList<TListedFile>& listed, const TImportResult& result, bool imported,
                      CliContext& context)
    {
        const bool allowed = ImportAllowed(result.Problems);
        if (context.json) {
            QJsonArray rows;
            for (qsizetype i = 0; i < listed.size(); ++i) {
                const TImportRow& row = listed.at(i).Row;
                QJsonObject object{{QStringLiteral("file"), row.FileName},
                                   {QStringLiteral("format"), ExchangeFormatName(listed.at(i).Format)},
                                   {QStringLiteral("rollNumber"), row.RollNumber ? QJsonValue(*row.RollNumber)
                                                                                 : QJsonValue()}};
                const QString problem = ImportRowProblemText(result.Problems.value(i));
                if (!problem.isEmpty())
                    object.insert(QStringLiteral("problem"), problem);
                rows.append(object);
            }
            context.out << QJsonDocument(QJsonObject{{QStringLiteral("rows"), rows},
                                                     {QStringLiteral("imported"), result.Added},
                                                     {QStringLiteral("rolls"), result.RollsAdded},
                                                     {QStringLiteral("frames"), result.FramesAdded}})
                               .toJson(QJsonDocument::Compact)
                        << "\n";
        } else {
            for (qsizetype i = 0; i < listed.size(); ++i) {
                const TImportRow& row = listed.at(i).Row;
                context.out << row.FileName << "\t" << ExchangeFormatName(listed.at(i).Format) << "\t"
                            << rollText(row);
                const QString problem = ImportRowProblemText(result.Problems.value(i));
                if (!problem.isEmpty())
                    context.out << "\t" << problem;
                context.out << "\n";
            }
        }
        if (!allowed) {
            context.err << "Nothing imported: every file needs a roll number above 0 that no other "
                           "file has and the database does not hold\n";
            return Refused;
        }
        if (!imported) {
            if (!context.json)
                context.out << "Run again with --yes to import.\n";
            return Success;
        }
        if (!result.Added) {
            context.err << result.Message << "\n";
            return Refused;
        }
        if (!context.json)
            context.out << "Imported " << result.RollsAdded << " rolls and " << result.FramesAdded << " frames\n";
        return Success;
    }
};

}  // namespace

std::unique_ptr<Command> makeImportCommand()
{
    return std::make_unique<ImportCommand>();
}

}  // namespace cli
