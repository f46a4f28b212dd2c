#include "camera/CameraOperations.h"

#include "camera/CameraTexts.h"
#include "camera/F100.h"
#include "model/Errors.h"
#include "model/Texts.h"
#include "settings/Settings.h"

#include <QEventLoop>
#include <QTimer>

#include <exception>
#include <memory>
#include <typeinfo>

namespace {

// Waits for the camera's end while running its calls onto this thread. A started camera
// may end before the wait begins; the poll catches a finish that slipped past the signal.
void WaitForEnd(TCamera& camera)
{
    QEventLoop loop;
    QObject::connect(&camera, &QThread::finished, &loop, &QEventLoop::quit,
                     Qt::QueuedConnection);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (camera.isFinished())
            loop.quit();
    });
    poll.start(50);
    if (!camera.isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    camera.wait();
    camera.Ended();  // the outputs are read next; see Ended()
}

void Start(TCamera& camera)
{
    camera.start();
    if (!camera.isRunning() && !camera.isFinished())
        throw std::runtime_error("the camera thread could not be started");
}

QString FailureText(bool withKind)
{
    try {
        throw;
    } catch (const ERKError& error) {
        return withKind ? error.describe() : error.message();
    } catch (const std::exception& error) {
        const QString what = QString::fromLocal8Bit(error.what());
        return withKind ? QString::fromLatin1(typeid(error).name()) + QStringLiteral(" - ") + what
                        : what;
    } catch (...) {
        return QStringLiteral("unknown failure");
    }
}

// A failure outside the runner: 15, with the failure's own text after the message.
uint8_t Unexpected(QString& message, bool withKind)
{
    message = RKText(rktext::UnknownErrorOccured) + QStringLiteral(": ") + FailureText(withKind);
    return ResultUnknownError;
}

// Runs one operation on a suspended TF100 prepared by `input` and, on 0, hands it to
// `output`.
template <typename Input, typename Output>
uint8_t RunWrapped(const Settings& settings, uint8_t operation, QString& message,
                   Input input, Output output, bool withKind = false)
{
    try {
        auto camera = std::make_unique<TF100>();
        input(*camera);
        const uint8_t result = RunCameraOperation(*camera, operation, settings);
        if (result == ResultOk)
            output(*camera);
        message = CameraResultMessage(result);
        return result;
    } catch (...) {
        return Unexpected(message, withKind);
    }
}

constexpr auto NoInput = [](TF100&) {};
constexpr auto NoOutput = [](TF100&) {};

}  // namespace

uint8_t RunCameraOperation(TCamera& camera, uint8_t operation, const Settings& settings)
{
    try {
        camera.Operation = operation;
        camera.Port = settings.readPort();
        camera.SettingsStore = &settings;
        Start(camera);
        WaitForEnd(camera);
        return camera.ResultCode;
    } catch (...) {
        return ResultUnknownError;
    }
}

uint8_t CameraReadCustomSettings(const Settings& settings, TF100CustomSettings& customSettings,
                                 QString& message)
{
    return RunWrapped(
        settings, OpReadCustomSettings, message, NoInput,
        [&](TF100& camera) { customSettings = camera.CustomSettings; }, true);
}

uint8_t CameraWriteCustomSettings(const Settings& settings,
                                  const TF100CustomSettings& customSettings, QString& message)
{
    return RunWrapped(
        settings, OpWriteCustomSettings, message,
        [&](TF100& camera) { camera.CustomSettings = customSettings; }, NoOutput);
}

uint8_t CameraReadDataSettings(const Settings& settings, TF100DataSettings& dataSettings,
                               QString& message)
{
    return RunWrapped(settings, OpReadDataSettings, message, NoInput,
                      [&](TF100& camera) { dataSettings = camera.DataSettings; });
}

uint8_t CameraWriteDataSettings(const Settings& settings,
                                const TF100DataSettings& dataSettings, QString& message)
{
    return RunWrapped(
        settings, OpWriteDataSettings, message,
        [&](TF100& camera) { camera.DataSettings = dataSettings; }, NoOutput);
}

uint8_t CameraReadDataSize(const Settings& settings, uint16_t& dataSize, QString& message)
{
    return RunWrapped(settings, OpReadDataSize, message, NoInput,
                      [&](TF100& camera) { dataSize = camera.DataSize; });
}

uint8_t CameraDeleteShootingData(const Settings& settings, QString& message)
{
    try {
        const QString port = settings.readPort();
        auto camera = std::make_unique<TF100>(false, false, port, OpDeleteShootingData);
        WaitForEnd(*camera);
        const uint8_t result = camera->ResultCode;
        message = CameraResultMessage(result);
        return result;
    } catch (...) {
        return Unexpected(message, false);
    }
}

uint8_t CameraDownloadShootingData(const Settings& settings, TRKRollSet& rollSet,
                                   const TCamera::TProgressEvent& onProgress, QString& message,
                                   QByteArray* image)
{
    try {
        auto camera = std::make_unique<TF100>(true, false, QString(), OpDownloadShootingData,
                                              &settings, nullptr, onProgress, nullptr);
        const uint8_t result = RunCameraOperation(*camera, OpDownloadShootingData, settings);
        if (result == ResultOk) {
            rollSet = camera->RollSet;
            if (image)
                *image = camera->MemoryImage;
        }
        message = CameraResultMessage(result);
        return result;
    } catch (...) {
        return Unexpected(message, false);
    }
}
