// decode IMAGE: a saved memory image (the camera's reply to "LQ"), decoded offline.

#include "cli/Command.h"
#include "cli/commands/CameraSession.h"
#include "cli/commands/RollSetOutput.h"

#include "camera/ShootingData.h"
#include "model/Errors.h"
#include "settings/Settings.h"

#include <QFile>

namespace cli {
namespace {

class DecodeCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("decode"); }
    QString description() const override
    {
        return QStringLiteral("Decode a saved memory image of the camera.");
    }

    int execute(const QStringList& arguments, CliContext& context) override
    {
        QCommandLineParser parser;
        parser.addPositionalArgument(QStringLiteral("image"),
                                     QStringLiteral("The memory image, as saved by download --image-out."));
        int exitCode = Success;
        if (!parseArguments(parser, arguments, context, exitCode))
            return exitCode;
        if (parser.positionalArguments().size() != 1) {
            context.err << "Give one memory image.\n\n" << parser.helpText();
            return UsageError;
        }
        const QString fileName = parser.positionalArguments().first();
        QFile file(fileName);
        if (!file.open(QIODevice::ReadOnly)) {
            context.err << "Failed to open file " << fileName << ": " << file.errorString() << "\n";
            return Failure;
        }
        const QByteArray image = file.readAll();

        QString photographer;
        try {
            photographer = Settings::open(context.settingsFile)->readPhotographer();
        } catch (const ERKError& error) {
            context.err << "Couldn't read the settings: " << error.describe() << "\n";
            return Failure;
        }
        TRKRollSet rollSet;
        QString problem;
        if (!DecodeShootingData(image, rollSet, photographer, &problem)) {
            context.err << fileName << " is not a memory image of the camera: " << problem << "\n";
            return Failure;
        }
        if (context.json)
            printJson(rollSetJson(rollSet), context);
        else
            printRollSet(rollSet, context);
        return Success;
    }
};

}  // namespace

std::unique_ptr<Command> makeDecodeCommand()
{
    return std::make_unique<DecodeCommand>();
}

}  // namespace cli
