#pragma once

// One camera operation on one short-lived thread.
//
// A TCamera object is created on the user-interface thread (the thread whose event loop
// runs the receivers), gets every input before it starts, runs one operation on its own
// thread, and is read only after it has ended. The serial port is created, used and
// destroyed on the camera thread. Progress reaches the user-interface thread through a
// call that runs there while the camera thread waits for it; completion through
// OnTerminate, run on the user-interface thread after the thread body has ended.
//
// The creating thread must keep its event loop running while the camera runs (the
// synchronous runner in CameraOperations.h does that with a nested loop).

#include "model/DataStructures.h"

#include <QPointer>
#include <QString>
#include <QThread>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

class Settings;
class SerialLink;

// Operation codes.
enum TCameraOperation : uint8_t {
    OpReadCustomSettings = 0,
    OpWriteCustomSettings = 1,
    OpReadDataSettings = 2,
    OpWriteDataSettings = 3,
    OpDownloadShootingData = 4,
    OpReadDataSize = 5,
    OpDeleteShootingData = 6,
};

// Result codes; CameraResultMessage() gives their texts.
enum TCameraResult : uint8_t {
    ResultOk = 0,
    ResultCouldNotOpenPort = 1,
    ResultCancelled = 2,
    ResultReplyCutShort = 3,
    ResultNoReply = 4,
    ResultCameraError = 5,
    ResultCustomSettingsError = 6,
    ResultDataSettingsError = 7,
    ResultDataSizeError = 8,
    ResultDownloadError = 9,
    ResultCustomSettingsNotStored = 10,
    ResultDataSettingsNotStored = 11,
    ResultShootingDataPresent = 12,
    ResultNoShootingData = 13,
    ResultDeleteFailed = 14,
    ResultUnknownError = 15,
};

class TCamera : public QThread
{
    Q_OBJECT

public:
    using TProgressEvent = std::function<void(uint8_t percent)>;
    using TTerminateEvent = std::function<void(TCamera& camera)>;

    // Destroying a running camera cancels it and waits for its end.
    ~TCamera() override;

    // Inputs: set before the start.
    QString Port;
    uint8_t Operation = 0;
    bool FreeOnTerminate = false;
    // Where a download reads the photographer's name; read on the camera thread while
    // decoding. Without a store the rolls carry no name.
    const Settings* SettingsStore = nullptr;

    // Outputs: read after the end.
    uint8_t ResultCode = 0;
    TRKRollSet RollSet;

    QString ResultMessage() const;

    // Asks the operation to stop; a reply being read ends with result 2. Any thread.
    void Terminate();
    bool Terminated() const;

    // True once the thread body has returned. Reading it after QThread::wait() or in
    // the finished handler also makes the body's outputs visible in a form that
    // ThreadSanitizer follows (Qt's own end-of-thread wait is invisible to it).
    bool Ended() const { return FEnded.load(std::memory_order_acquire); }

protected:
    // The three forms of creation; the concrete camera's constructor starts the thread
    // as its last step unless asked to create it suspended.
    // 1. For the synchronous runner: no port, operation 0, no callbacks, not freed on
    //    terminate.
    TCamera();
    // 2. No callbacks.
    TCamera(bool freeOnTerminate, const QString& port, uint8_t operation,
            const Settings* settings);
    // 3. The asynchronous form. Both events run on the thread that created the camera
    //    and are dropped once the receiver (when one is given) is gone.
    TCamera(bool freeOnTerminate, const QString& port, uint8_t operation,
            const Settings* settings, QObject* receiver, TProgressEvent onProgress,
            TTerminateEvent onTerminate);

    // Cancels a running thread and waits for its end, serving its progress calls
    // meanwhile. The concrete camera's destructor calls it before its own part goes.
    void StopAndWait();

    // The thread body; leaves its result in ResultCode.
    virtual void Execute() = 0;

    // Serial port layer, camera thread only.
    uint8_t OpenPort(const QString& portName);
    void ClosePort();
    qint64 ReadBytes(char* buffer, qint64 count);
    void WriteBytes(const char* data, qint64 count);

    // Progress: stores the percent and runs DoProgress on the user-interface thread,
    // waiting for it. The receiver is called only while the progress switch is on.
    void ReportProgress(uint8_t percent);
    void SetProgressSwitch(bool on) { FProgressSwitch = on; }

private:
    void run() final;
    Q_INVOKABLE void DoProgress();
    void HandleFinished();

    std::unique_ptr<SerialLink> FPortLink;
    QPointer<QObject> FReceiver;
    bool FHasReceiver = false;
    TProgressEvent OnProgress;
    TTerminateEvent OnTerminate;
    uint8_t FProgress = 0;
    bool FProgressSwitch = false;
    std::atomic<int> FProgressHandoff{0};
    std::atomic<bool> FEnded{false};
};
