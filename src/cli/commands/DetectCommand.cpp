// rollkeeper-cli detect FILE...: the exchange format of each file, recognised from its
// content, and the roll number the file proposes for itself (-1: none).

#include "cli/Command.h"
#include "exchange/FileFilters.h"
#include "model/Errors.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace cli {
namespace {

class DetectCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("detect"); }
    QString description() const override
    {
        return QStringLiteral("Show the exchange format and proposed roll number of files");
    }

    int execute(const QStringList& arguments, CliContext& context) override
    {
        QCommandLineParser parser;
        parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Files to examine."),
                                     QStringLiteral("FILE..."));
        int exitCode = Success;
        if (!parseArguments(parser, arguments, context, exitCode))
            return exitCode;
        const QStringList files = parser.positionalArguments();
        if (files.isEmpty()) {
            context.err << "No file given\n\n" << parser.helpText();
            return UsageError;
        }

        QJsonArray rows;
        for (const QString& file : files) {
            try {
                const TSourceFile source = LoadSourceFile(file);
                const TExchangeFormat format = DetectFormat(source.Data);
                const int32_t rollNumber = ProposedRollNumber(source, format);
                if (context.json) {
                    rows.append(QJsonObject{{QStringLiteral("file"), file},
                                            {QStringLiteral("format"), ExchangeFormatName(format)},
                                            {QStringLiteral("rollNumber"), rollNumber}});
                } else {
                    context.out << file << "\t" << ExchangeFormatName(format) << "\t" << rollNumber << "\n";
                }
            } catch (const ERKError& error) {
                context.err << error.describe() << "\n";
                exitCode = Failure;
            }
        }
        if (context.json)
            context.out << QJsonDocument(rows).toJson(QJsonDocument::Compact) << "\n";
        return exitCode;
    }
};

}  // namespace

std::unique_ptr<Command> makeDetectCommand()
{
    return std::make_unique<DetectCommand>();
}

}  // namespace cli
