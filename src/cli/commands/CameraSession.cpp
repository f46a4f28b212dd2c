#include "cli/commands/CameraSession.h"

#include "cli/commands/DemoCamera.h"
#include "model/Errors.h"
#include "settings/Settings.h"

#include <QJsonDocument>

namespace cli {

CameraSession::CameraSession() = default;
CameraSession::~CameraSession() = default;

bool CameraSession::open(CliContext& context)
{
    try {
        m_settings = Settings::open(context.settingsFile);
    } catch (const ERKError& error) {
        context.err << "Couldn't read the settings: " << error.describe() << "\n";
        return false;
    }
    // Both stand for this run only: the settings file keeps its own Port.
    if (!context.port.isEmpty())
        m_settings->writePort(context.port);
    if (context.demo) {
        QString error;
        m_demo = DemoCamera::start(&error);
        if (!m_demo) {
            context.err << "Couldn't start the simulated camera: " << error << "\n";
            return false;
        }
        m_settings->writePort(m_demo->port());
    }
    return true;
}

QJsonObject resultObject(uint8_t result, const QString& message)
{
    return QJsonObject{{QStringLiteral("result"), result}, {QStringLiteral("message"), message}};
}

void printJson(const QJsonObject& object, CliContext& context)
{
    context.out << QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)) << "\n";
}

int cameraResult(uint8_t result, const QString& message, CliContext& context)
{
    if (result == 0)
        return Success;
    context.err << message << "\n";
    if (context.json)
        printJson(resultObject(result, message), context);
    return CameraFailure;
}

}  // namespace cli
