// download [--image-out FILE] [--db FILE [--create]] [--from-image IMAGE]: the camera's
// shooting data (or a saved memory image of it), printed as a roll set or added to a
// database.

#include "cli/Command.h"
#include "cli/commands/CameraSession.h"
#include "cli/commands/DownloadToDatabase.h"
#include "cli/commands/MemoryImageFile.h"
#include "cli/commands/RollSetOutput.h"

#include "camera/CameraOperations.h"

#include <QSaveFile>

namespace cli {
namespace {

bool SaveImage(const QByteArray& image, const QString& fileName, CliContext& context)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(image) != image.size() || !file.commit()) {
        context.err << "Couldn't write \"" << fileName << "\": " << file.errorString() << "\n";
        return false;
    }
    return true;
}

class DownloadCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("download"); }
    QString description() const override
    {
        return QStringLiteral("Download the shooting data from the camera.");
    }

    int execute(const QStringList& arguments, CliContext& context) override
    {
        QCommandLineParser parser;
        const QCommandLineOption imageOut(
            QStringLiteral("image-out"),
            QStringLiteral("Also save the camera's raw memory image to FILE."),
            QStringLiteral("FILE"));
        parser.addOption(imageOut);
        const QCommandLineOption database(
            QStringLiteral("db"), QStringLiteral("Add the new rolls and frames to this database file."),
            QStringLiteral("FILE"));
        const QCommandLineOption create(QStringLiteral("create"),
                                        QStringLiteral("Create the database file when it does not exist."));
        const QCommandLineOption fromImage(
            QStringLiteral("from-image"),
            QStringLiteral("Read a memory image saved by --image-out instead of the camera."),
            QStringLiteral("IMAGE"));
        parser.addOptions({database, create, fromImage});
        int exitCode = Success;
        if (!parseArguments(parser, arguments, context, exitCode))
            return exitCode;
        if (!parser.positionalArguments().isEmpty()) {
            context.err << "Unexpected argument: " << parser.positionalArguments().first()
                        << "\n\n" << parser.helpText();
            return UsageError;
        }

        TRKRollSet rollSet;
        if (parser.isSet(fromImage)) {
            if (!decodeMemoryImageFile(parser.value(fromImage), context, rollSet))
                return Failure;
            if (parser.isSet(database))
                return addDownloadToDatabase(rollSet, parser.value(database), parser.isSet(create), context);
            if (context.json)
                printJson(rollSetJson(rollSet), context);
            else
                printRollSet(rollSet, context);
            return Success;
        }

        CameraSession session;
        if (!session.open(context))
            return Failure;

        // 1. Download.
        QByteArray image;
        QString message;
        const bool showProgress = context.errIsTerminal && !context.json;
        const auto progress = [&](uint8_t percent) {
            if (showProgress) {
                context.err << "\rDownloading " << percent << "%";
                context.err.flush();
            }
        };
        const uint8_t result =
            CameraDownloadShootingData(session.settings(), rollSet, progress, message, &image);
        if (showProgress) {
            context.err << "\n";
            context.err.flush();
        }
        if (result != 0)
            return cameraResult(result, message, context);
        if (parser.isSet(imageOut) && !SaveImage(image, parser.value(imageOut), context))
            return Failure;
        if (parser.isSet(database))
            return addDownloadToDatabase(rollSet, parser.value(database), parser.isSet(create), context);

        // 2. Print the roll set.
        if (context.json) {
            QJsonObject object = resultObject(result, message);
            const QJsonObject set = rollSetJson(rollSet);
            for (auto it = set.begin(); it != set.end(); ++it)
                object.insert(it.key(), it.value());
            printJson(object, context);
        } else {
            printRollSet(rollSet, context);
        }
        return Success;
    }
};

}  // namespace

std::unique_ptr<Command> makeDownloadCommand()
{
    return std::make_unique<DownloadCommand>();
}

}  // namespace cli
