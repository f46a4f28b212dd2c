// camera custom-settings read|write and camera presets list|show|save|delete.

#include "cli/Command.h"
#include "cli/commands/CameraSession.h"

#include "camera/CameraOperations.h"
#include "model/CameraSettings.h"
#include "model/Errors.h"
#include "settings/Settings.h"

#include <QJsonArray>
#include <QRegularExpression>

namespace cli {
namespace {

constexpr qsizetype PresetLength = 22;

QJsonObject SettingsJson(const TF100CustomSettings& settings)
{
    QJsonObject object;
    for (const TCustomSettingField& field : CustomSettingFields())
        object.insert(QLatin1String(field.Name), settings.*field.Member);
    return object;
}

void PrintCustomSettings(const TF100CustomSettings& settings, CliContext& context)
{
    int number = 0;
    for (const TCustomSettingField& field : CustomSettingFields()) {
        ++number;
        const int value = settings.*field.Member;
        context.out << field.Name << " = " << value;
        if (number <= 22 && !field.Boolean)
            context.out << " (" << CSMValueToText(number, value) << ")";
        context.out << "\n";
    }
    context.out << "Preset: " << CustomSettingsToText(settings) << "\n";
}

bool IsPresetText(const QString& text)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{22}$"));
    return digits.match(text).hasMatch();
}

// "CSMnn=VALUE": a number, on/off for a switch, or one of the setting's option texts.
bool ApplySet(TF100CustomSettings& settings, const QString& assignment, QString& error)
{
    static const QRegularExpression form(QStringLiteral("^CSM(\\d\\d)=(.+)$"));
    const QRegularExpressionMatch match = form.match(assignment);
    const int number = match.hasMatch() ? match.captured(1).toInt() : 0;
    if (number < 1 || number > 22) {
        error = QStringLiteral("\"%1\" is not CSM01..CSM22=VALUE").arg(assignment);
        return false;
    }
    const QString text = match.captured(2);
    bool numeric = false;
    int value = text.toInt(&numeric);
    if (!numeric) {
        const QStringList options = CSMOptionList(number);
        if (text == QLatin1String("on") || text == QLatin1String("off"))
            value = text == QLatin1String("on") ? 1 : 0;
        else if (options.contains(text))
            value = TextToCSMValue(number, text);
        else
            value = -1;
    }
    if (!SetCSMValue(settings, number, value)) {
        error = QStringLiteral("CSM%1 cannot be \"%2\"").arg(number, 2, 10, QLatin1Char('0')).arg(text);
        return false;
    }
    return true;
}

class CustomSettingsReadCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("camera custom-settings read"); }
    QString description() const override
    {
        return QStringLiteral("Read the camera's custom settings.");
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
        TF100CustomSettings settings;
        QString message;
        const uint8_t result = CameraReadCustomSettings(session.settings(), settings, message);
        if (result != 0)
            return cameraResult(result, message, context);
        if (context.json) {
            QJsonObject object = resultObject(result, message);
            object.insert(QStringLiteral("settings"), SettingsJson(settings));
            object.insert(QStringLiteral("preset"), CustomSettingsToText(settings));
            printJson(object, context);
        } else {
            PrintCustomSettings(settings, context);
        }
        return Success;
    }
};

class CustomSettingsWriteCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("camera custom-settings write"); }
    QString description() const override
    {
        return QStringLiteral("Write custom settings to the camera.");
    }

    int execute(const QStringList& arguments, CliContext& context) override
    {
        QCommandLineParser parser;
        const QCommandLineOption preset(QStringLiteral("preset"),
                                        QStringLiteral("The settings as a 22-digit preset text."),
                                        QStringLiteral("TEXT22"));
        const QCommandLineOption fromPreset(QStringLiteral("from-preset"),
                                            QStringLiteral("The settings of a saved preset."),
                                            QStringLiteral("NAME"));
        const QCommandLineOption set(QStringLiteral("set"),
                                     QStringLiteral("Change one setting, e.g. CSM15=2 (repeatable)."),
                                     QStringLiteral("CSMnn=VALUE"));
        parser.addOptions({preset, fromPreset, set});
        int exitCode = Success;
        if (!parseArguments(parser, arguments, context, exitCode))
            return exitCode;
        if (parser.isSet(preset) && parser.isSet(fromPreset)) {
            context.err << "Give --preset or --from-preset, not both.\n";
            return UsageError;
        }
        if (!parser.isSet(preset) && !parser.isSet(fromPreset) && !parser.isSet(set)) {
            context.err << "Give --preset, --from-preset or --set.\n\n" << parser.helpText();
            return UsageError;
        }
        // Every change is checked before the camera is asked anything.
        for (const QString& assignment : parser.values(set)) {
            TF100CustomSettings scratch;
            QString error;
            if (!ApplySet(scratch, assignment, error)) {
                context.err << error << "\n";
                return UsageError;
            }
        }
        CameraSession session;
        if (!session.open(context))
            return Failure;

        // The base: a preset, or else what the camera holds now.
        TF100CustomSettings settings;
        QString message;
        if (parser.isSet(preset) || parser.isSet(fromPreset)) {
            const QString presetName = parser.value(fromPreset);
            if (parser.isSet(fromPreset) && !session.settings().presetNames().contains(presetName)) {
                context.err << "No preset named \"" << presetName << "\".\n";
                return Failure;
            }
            const QString text = parser.isSet(preset) ? parser.value(preset)
                                                      : session.settings().readPreset(presetName);
            if (!IsPresetText(text)) {
                context.err << "\"" << text << "\" is not a preset text of 22 digits.\n";
                return parser.isSet(preset) ? UsageError : Failure;
            }
            settings = TextToCustomSettings(text);
        } else {
            const uint8_t result = CameraReadCustomSettings(session.settings(), settings, message);
            if (result != 0)
                return cameraResult(result, message, context);
        }
        for (const QString& assignment : parser.values(set)) {
            QString unused;
            ApplySet(settings, assignment, unused);
        }

        const uint8_t result = CameraWriteCustomSettings(session.settings(), settings, message);
        if (result != 0)
            return cameraResult(result, message, context);
        if (context.json) {
            QJsonObject object = resultObject(result, message);
            object.insert(QStringLiteral("preset"), CustomSettingsToText(settings));
            printJson(object, context);
        } else {
            context.out << "Custom settings stored in camera: " << CustomSettingsToText(settings)
                        << "\n";
        }
        return Success;
    }
};

class PresetsCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("camera presets"); }
    QString description() const override
    {
        return QStringLiteral("List, show, save or delete custom settings presets.");
    }

    int execute(const QStringList& arguments, CliContext& context) override
    {
        QCommandLineParser parser;
        parser.addPositionalArgument(QStringLiteral("action"),
                                     QStringLiteral("list, show NAME, save NAME or delete NAME."));
        const QCommandLineOption preset(QStringLiteral("preset"),
                                        QStringLiteral("The 22-digit preset text to save."),
                                        QStringLiteral("TEXT22"));
        parser.addOption(preset);
        int exitCode = Success;
        if (!parseArguments(parser, arguments, context, exitCode))
            return exitCode;
        const QStringList words = parser.positionalArguments();
        const QString action = words.value(0);
        const bool named = action == QLatin1String("show") || action == QLatin1String("save")
                           || action == QLatin1String("delete");
        if (!(action == QLatin1String("list") && words.size() == 1)
            && !(named && words.size() == 2)) {
            context.err << "Give list, show NAME, save NAME --preset TEXT22 or delete NAME.\n\n"
                        << parser.helpText();
            return UsageError;
        }
        if (action == QLatin1String("save") && !IsPresetText(parser.value(preset))) {
            context.err << "save needs --preset with a text of 22 digits.\n";
            return UsageError;
        }

        std::unique_ptr<Settings> settings;
        try {
            settings = Settings::open(context.settingsFile);
            return Run(*settings, action, words.value(1), parser.value(preset), context);
        } catch (const ERKError& error) {
            context.err << "Couldn't change the presets: " << error.describe() << "\n";
            return Failure;
        }
    }

private:
    int Run(Settings& settings, const QString& action, const QString& name,
            const QString& text, CliContext& context)
    {
        const QStringList names = settings.presetNames();
        if (action == QLatin1String("list")) {
            if (context.json)
                printJson(QJsonObject{{QStringLiteral("presets"), QJsonArray::fromStringList(names)}}, context);
            else
                for (const QString& each : names)
                    context.out << each << "\n";
            return Success;
        }
        if (action != QLatin1String("save") && !names.contains(name)) {
            context.err << "No preset named \"" << name << "\".\n";
            return Failure;
        }
        if (action == QLatin1String("show")) {
            const TF100CustomSettings record = TextToCustomSettings(settings.readPreset(name));
            if (context.json)
                printJson(QJsonObject{{QStringLiteral("name"), name},
                                      {QStringLiteral("preset"), settings.readPreset(name)},
                                      {QStringLiteral("settings"), SettingsJson(record)}},
                          context);
            else
                PrintCustomSettings(record, context);
            return Success;
        }
        if (action == QLatin1String("save"))
            settings.writePreset(name, text);
        else
            settings.deletePreset(name);
        settings.writeToDisk();
        return Success;
    }
};

}  // namespace

std::unique_ptr<Command> makeCustomSettingsReadCommand()
{
    return std::make_unique<CustomSettingsReadCommand>();
}

std::unique_ptr<Command> makeCustomSettingsWriteCommand()
{
    return std::make_unique<CustomSettingsWriteCommand>();
}

std::unique_ptr<Command> makePresetsCommand()
{
    return std::make_unique<PresetsCommand>();
}

}  // namespace cli
