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
    FEnded.store(true, std::memory_order_release);
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

// The atomic marks the hand-over both ways in a form ThreadSanitizer follows; Qt's own
// wait is built on primitives it cannot see. The call goes by name, so nothing on this
// thread's stack is touched by the user-interface thread.
void TCamera::ReportProgress(uint8_t percent)
{
    FProgress = percent;
    FProgressHandoff.fetch_add(1, std::memory_order_release);
    QMetaObject::invokeMethod(this, "DoProgress", Qt::BlockingQueuedConnection);
    FProgressHandoff.load(std::memory_order_acquire);
}

void TCamera::DoProgress()
{
    FProgressHandoff.load(std::memory_order_acquire);
    if (FProgressSwitch && OnProgress && (!FHasReceiver || FReceiver))
        OnProgress(FProgress);
    FProgressHandoff.fetch_add(1, std::memory_order_release);
}

void TCamera::HandleFinished()
{
    Ended();  // see Ended(): the outputs are read below
    if (OnTerminate && (!FHasReceiver || FReceiver))
        OnTerminate(*this);
    if (FreeOnTerminate)
        deleteLater();
}
