#include "camera/F100.h"

#include <exception>

namespace {

// The port closes on every way out of the thread body.
template <typename Close>
struct ScopeExit
{
    Close close;
    ~ScopeExit() { close(); }
};
template <typename Close>
ScopeExit(Close) -> ScopeExit<Close>;

bool IsRetried(uint8_t result, uint8_t operation)
{
    if (operation > OpDeleteShootingData || operation == OpDownloadShootingData)
        return false;
    return (result >= 3 && result <= 11) || result == 14 || result >= 16;
}

}  // namespace

TF100::TF100() = default;

TF100::TF100(bool createSuspended, bool freeOnTerminate, const QString& port,
             uint8_t operation, const Settings* settings)
    : TCamera(freeOnTerminate, port, operation, settings)
{
    if (!createSuspended)
        start();
}

TF100::TF100(bool createSuspended, bool freeOnTerminate, const QString& port,
             uint8_t operation, const Settings* settings, QObject* receiver,
             TProgressEvent onProgress, TTerminateEvent onTerminate)
    : TCamera(freeOnTerminate, port, operation, settings, receiver, std::move(onProgress),
              std::move(onTerminate))
{
    if (!createSuspended)
        start();
}

TF100::~TF100()
{
    // Stop the thread before this part of the object goes: its body runs in it.
    StopAndWait();
}

void TF100::Execute()
{
    ResultCode = OpenPort(Port);
    if (ResultCode != ResultOk)
        return;
    ScopeExit closePort{[this] { ClosePort(); }};
    try {
        ResultCode = RunOperation();
        if (IsRetried(ResultCode, Operation)) {
            QThread::msleep(RetryPauseMs);
            ResultCode = RunOperation();
        }
    } catch (...) {
        // Whatever broke, the operation did not succeed: never leave the 0 of the open.
        ResultCode = ResultUnknownError;
    }
}

uint8_t TF100::RunOperation()
{
    switch (Operation) {
    case OpReadCustomSettings: return ReadCustomSettings(CustomSettings);
    case OpWriteCustomSettings: return WriteCustomSettings();
    case OpReadDataSettings: return ReadDataSettings(DataSettings);
    case OpWriteDataSettings: return WriteDataSettings();
    case OpDownloadShootingData: return DownloadShootingData();
    case OpReadDataSize: return ReadDataSize();
    case OpDeleteShootingData: return DeleteShootingData();
    default: return ResultOk;  // an unknown operation exchanges nothing
    }
}
