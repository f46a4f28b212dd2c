#include "camera/Camera.h"

#include "camera/CameraTexts.h"
#include "camera/SerialLink.h"

#include <QCoreApplication>

TCamera::TCamera()
{
    connect(this, &QThread::finished, this, &TCamera::HandleFinished, Qt::QueuedConnection);
}

TCamera::TCamera(bool freeOnTerminate, const QString& port, uint8_t operation,
                 const Settings* settings)
    : TCamera()
{
    Port = port;
    Operation = operation;
    FreeOnTerminate = freeOnTerminate;
    SettingsStore = settings;
}

TCamera::TCamera(bool freeOnTerminate, const QString& port, uint8_t operation,
                 const Settings* settings, QObject* receiver, TProgressEvent onProgress,
                 TTerminateEvent onTerminate)
    : TCamera(freeOnTerminate, port, operation, settings)
{
    FReceiver = receiver;
    FHasReceiver = receiver != nullptr;
    OnProgress = std::move(onProgress);
    OnTerminate = std::move(onTerminate);
}

TCamera::~TCamera()
{
    StopAndWait();
}

void TCamera::StopAndWait()
{
    if (!isRunning())
        return;
    // The thread may be waiting for a progress call on this thread: keep serving those
    // while it winds down, or neither side would ever move.
    Terminate();
    while (!wait(20))
        QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

QString TCamera::ResultMessage() const
{
    return CameraResultMessage(ResultCode);
}

void TCamera::Terminate()
{
    requestInterruption();
}

bool TCamera::Terminated() const
{
    return isInterruptionRequested();
}

void TCamera::run()
{
    Execute();
}

uint8_t TCamera::OpenPort(const QString& portName)
{
    ClosePort();
    auto link = std::make_unique<SerialLink>();
    if (!link->open(portName))
        return ResultCouldNotOpenPort;
    FPortLink = std::move(link);
    return ResultOk;
}

void TCamera::ClosePort()
{
    FPortLink.reset();
}

qint64 TCamera::ReadBytes(char* buffer, qint64 count)
{
    return FPortLink ? FPortLink->read(buffer, count) : 0;
}

void TCamera::WriteBytes(const char* data, qint64 count)
{
    if (FPortLink)
        FPortLink->write(data, count);
}

void TCamera::ReportProgress(uint8_t percent)
{
    FProgress = percent;
    QMetaObject::invokeMethod(this, &TCamera::DoProgress, Qt::BlockingQueuedConnection);
}

void TCamera::DoProgress()
{
    if (FProgressSwitch && OnProgress && (!FHasReceiver || FReceiver))
        OnProgress(FProgress);
}

void TCamera::HandleFinished()
{
    if (OnTerminate && (!FHasReceiver || FReceiver))
        OnTerminate(*this);
    if (FreeOnTerminate)
        deleteLater();
}
