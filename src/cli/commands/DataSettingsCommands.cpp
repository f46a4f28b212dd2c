// camera data-settings read|write, camera data-size, camera delete-data.

#include "cli/Command.h"
#include "cli/commands/CameraSession.h"

#include "camera/CameraOperations.h"
#include "camera/CameraTexts.h"
#include "camera/ShootingData.h"
#include "model/CameraSettings.h"

#include <optional>

namespace cli {
namespace {

QJsonObject SettingsJson(const TF100DataSettings& settings)
{
    QJsonObject object;
    for (const TDataSettingField& field : DataSettingFields())
        object.insert(QLatin1String(field.Name), settings.*field.Member);
    return object;
}

class DataSettingsReadCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("camera data-settings read"); }
    QString description() const override
    {
        return QStringLiteral("Read the camera's shooting data settings and what it holds.");
    }

    int execute(const QStringList& arguments, CliContext& context) override
    {
        QCommandLineParser parser;
        int exitCode = Success;
        if (!parseArguments(parser, arguments, context, exitCode))
            return exitCode;
        CameraSession session;
        if (!session.open(context))
            return Failure;
        TF100DataSettings settings;
        QString message;
        const uint8_t result = CameraReadDataSettings(session.settings(), settings, message);
        if (result != 0)
            return cameraResult(result, message, context);

        // Without the size the data is just "present": that failure is not shown.
        uint16_t size = 0;
        QString sizeMessage;
        const bool sized = CameraReadDataSize(session.settings(), size, sizeMessage) == 0;
        const std::optional<TRollFrameCount> counts =
            sized ? EstimateRollsAndFrames(size, settings.RecordingMode == 1) : std::nullopt;
        const QString status = ShootingDataStatusText(settings.ShootingDataPresent != 0, counts);

        if (context.json) {
            QJsonObject object = resultObject(result, message);
            object.insert(QStringLiteral("settings"), SettingsJson(settings));
            object.insert(QStringLiteral("dataSize"), sized ? QJsonValue(size) : QJsonValue());
            object.insert(QStringLiteral("rolls"), counts ? QJsonValue(counts->Rolls) : QJsonValue());
            object.insert(QStringLiteral("frames"), counts ? QJsonValue(counts->Frames) : QJsonValue());
            object.insert(QStringLiteral("status"), status);
            printJson(object, context);
            return Success;
        }
        context.out << "MemoryFullAction = " << settings.MemoryFullAction << " ("
                    << DSValueToText(TDataSetting::MemoryFullAction, settings.MemoryFullAction) << ")\n"
                    << "RecordShootingData = " << settings.RecordShootingData << "\n"
                    << "RecordingMode = " << settings.RecordingMode << " ("
                    << DSValueToText(TDataSetting::RecordingMode, settings.RecordingMode) << ")\n"
                    << "ShootingDataPresent = " << settings.ShootingDataPresent << "\n"
                    << "KeepBit2 = " << settings.KeepBit2 << "\n"
                    << "KeepBit5 = " << settings.KeepBit5 << "\n"
                    << "KeepBit6 = " << settings.KeepBit6 << "\n"
                    << "KeepBit7 = " << settings.KeepBit7 << "\n";
        if (sized)
            context.out << "Data size: " << size << " bytes\n";
        context.out << status << "\n";
        return Success;
    }
};

class DataSettingsWriteCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("camera data-settings write"); }
    QString description() const override
    {
        return QStringLiteral("Change the camera's shooting data settings (only while it holds no data).");
    }

    int execute(const QStringList& arguments, CliContext& context) override
    {
        QCommandLineParser parser;
        const QCommandLineOption memoryFull(QStringLiteral("memory-full"),
                                            QStringLiteral("When the memory is full: delete or stop."),
                                            QStringLiteral("delete|stop"));
        const QCommandLineOption record(QStringLiteral("record"),
                                        QStringLiteral("Record shooting data: on or off."),
                                        QStringLiteral("on|off"));
        const QCommandLineOption mode(QStringLiteral("mode"),
                                      QStringLiteral("Recording mode: simple or detailed."),
                                      QStringLiteral("simple|detailed"));
        parser.addOptions({memoryFull, record, mode});
        int exitCode = Success;
        if (!parseArguments(parser, arguments, context, exitCode))
            return exitCode;
        const struct
        {
            const QCommandLineOption& option;
            QLatin1String zero, one;
        } choices[] = {{memoryFull, QLatin1String("delete"), QLatin1String("stop")},
                       {record, QLatin1String("off"), QLatin1String("on")},
                       {mode, QLatin1String("simple"), QLatin1String("detailed")}};
        bool any = false;
        for (const auto& choice : choices) {
            if (!parser.isSet(choice.option))
                continue;
            any = true;
            const QString value = parser.value(choice.option);
            if (value != choice.zero && value != choice.one) {
                context.err << "--" << choice.option.names().first() << " takes " << choice.zero
                            << " or " << choice.one << ", not \"" << value << "\".\n";
                return UsageError;
            }
        }
        if (!any) {
            context.err << "Give --memory-full, --record or --mode.\n\n" << parser.helpText();
            return UsageError;
        }

        CameraSession session;
        if (!session.open(context))
            return Failure;
        // What is not given stays as the camera has it now.
        TF100DataSettings settings;
        QString message;
        uint8_t result = CameraReadDataSettings(session.settings(), settings, message);
        if (result != 0)
            return cameraResult(result, message, context);
        uint8_t* fields[] = {&settings.MemoryFullAction, &settings.RecordShootingData,
                             &settings.RecordingMode};
        for (int i = 0; i < 3; ++i)
            if (parser.isSet(choices[i].option))
                *fields[i] = parser.value(choices[i].option) == choices[i].one ? 1 : 0;

        result = CameraWriteDataSettings(session.settings(), settings, message);
        if (result != 0)
            return cameraResult(result, message, context);
        if (context.json) {
            QJsonObject object = resultObject(result, message);
            object.insert(QStringLiteral("settings"), SettingsJson(settings));
            printJson(object, context);
        } else {
            context.out << "Data settings stored in camera\n";
        }
        return Success;
    }
};

class DataSizeCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("camera data-size"); }
    QString description() const override
    {
        return QStringLiteral("Read how many bytes of shooting data the camera holds.");
    }

    int execute(const QStringList& arguments, CliContext& context) override
    {
        QCommandLineParser parser;
        int exitCode = Success;
        if (!parseArguments(parser, arguments, context, exitCode))
            return exitCode;
        CameraSession session;
        if (!session.open(context))
            return Failure;
        uint16_t size = 0;
        QString message;
        const uint8_t result = CameraReadDataSize(session.settings(), size, message);
        if (result != 0)
            return cameraResult(result, message, context);
        if (context.json) {
            QJsonObject object = resultObject(result, message);
            object.insert(QStringLiteral("dataSize"), size);
            printJson(object, context);
        } else {
            context.out << size << "\n";
        }
        return Success;
    }
};

class DeleteDataCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("camera delete-data"); }
    QString description() const override
    {
        return QStringLiteral("Delete the shooting data in the camera (needs --yes).");
    }

    int execute(const QStringList& arguments, CliContext& context) override
    {
        QCommandLineParser parser;
        const QCommandLineOption yes(QStringLiteral("yes"),
                                     QStringLiteral("Really delete the shooting data."));
        parser.addOption(yes);
        int exitCode = Success;
        if (!parseArguments(parser, arguments, context, exitCode))
            return exitCode;
        if (!parser.isSet(yes)) {
            context.err << "Deleting the shooting data cannot be undone; give --yes to do it.\n";
            return UsageError;
        }
        CameraSession session;
        if (!session.open(context))
            return Failure;
        QString message;
        const uint8_t result = CameraDeleteShootingData(session.settings(), message);
        if (result != 0)
            return cameraResult(result, message, context);
        if (context.json)
            printJson(resultObject(result, message), context);
        else
            context.out << "Shooting data deleted\n";
        return Success;
    }
};

}  // namespace

std::unique_ptr<Command> makeDataSettingsReadCommand()
{
    return std::make_unique<DataSettingsReadCommand>();
}

std::unique_ptr<Command> makeDataSettingsWriteCommand()
{
    return std::make_unique<DataSettingsWriteCommand>();
}

std::unique_ptr<Command> makeDataSizeCommand()
{
    return std::make_unique<DataSizeCommand>();
}

std::unique_ptr<Command> makeDeleteDataCommand()
{
    return std::make_unique<DeleteDataCommand>();
}

}  // namespace cli
