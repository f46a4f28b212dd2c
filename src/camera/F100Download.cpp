// The download of the F100's shooting-data memory.

#include "camera/F100.h"
#include "camera/ShootingData.h"
#include "settings/Settings.h"

uint8_t TF100::DownloadShootingData()
{
    // Only the first query is retried: the camera may still be waking up.
    uint8_t result = ReadDataSettings(DataSettings);
    if (result >= 3 && result != ResultUnknownError) {
        QThread::msleep(RetryPauseMs);
        result = ReadDataSettings(DataSettings);
    }
    if (result != ResultOk)
        return result;
    if (!DataSettings.ShootingDataPresent)
        return ResultNoShootingData;

    QThread::msleep(StepPauseMs);
    result = ReadDataSize();
    if (result != ResultOk)
        return result;
    if (DataSize == 0)
        return ResultNoShootingData;

    QThread::msleep(StepPauseMs);
    Wake();
    SendFrame("LQ", 0);
    QThread::msleep(ReplyPauseMs);

    // The only reply whose progress reaches the receiver.
    TF100Packet packet;
    SetProgressSwitch(true);
    result = ReadReply(packet);
    SetProgressSwitch(false);
    if (result == ResultCameraError)
        result = ResultDownloadError;
    if (result != ResultOk)
        return result;
    if (packet.Data.isEmpty() || static_cast<uint8_t>(packet.Data.at(0)) != Acknowledgement)
        return ResultDownloadError;
    if (packet.Length() - 2 < DataSize)
        return ResultReplyCutShort;

    // The name is read now, on this thread, so a change made meanwhile is taken.
    const QString photographer = SettingsStore ? SettingsStore->readPhotographer() : QString();
    TRKRollSet rollSet;
    if (!DecodeShootingData(packet.Data, rollSet, photographer))
        return ResultDownloadError;  // rollSet stays empty: nothing half-decoded
    RollSet = std::move(rollSet);
    MemoryImage = std::move(packet.Data);
    return ResultOk;
}
