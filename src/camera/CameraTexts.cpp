#include "camera/CameraTexts.h"

#include "model/Texts.h"

QString CameraResultMessage(uint8_t resultCode)
{
    switch (resultCode) {
    case 0: return QString();
    case 1: return RKText(rktext::CouldNotOpenPort);
    case 2: return RKText(rktext::OperationCancelled);
    case 5: return RKText(rktext::CameraReportedError);
    case 3: case 4: case 6: case 7: case 8: case 9: case 10:
        return RKText(rktext::NoExpectedData);
    case 11: return RKText(rktext::DataSettingsNotStored);
    case 12: return RKText(rktext::ShootingDataPresentCantWrite);
    case 13: return RKText(rktext::NoShootingDataPresent);
    case 14: return RKText(rktext::DeleteFailed);
    case 15: return RKText(rktext::UnknownErrorOccured);
    default: return RKText(rktext::UnknownErrorCode);
    }
}

QString ShootingDataStatusText(bool shootingDataPresent,
                               const std::optional<TRollFrameCount>& counts)
{
    if (!shootingDataPresent)
        return RKText(rktext::ShootingDataNotPresent);
    QString text = RKText(rktext::ShootingDataPresent);
    if (!counts)
        return text;
    if (counts->Rolls == 0 || counts->Frames == 0)
        return text + RKText(rktext::NoFramesRecorded);
    const char* format = counts->Rolls == 1
                             ? (counts->Frames == 1 ? rktext::RollFrame : rktext::RollFrames)
                             : (counts->Frames == 1 ? rktext::RollsFrame : rktext::RollsFrames);
    // The counts fill the two "%u" in turn; a translation cannot bring in other
    // conversions that way.
    QString counted = RKText(format);
    for (const uint16_t count : {counts->Rolls, counts->Frames}) {
        const qsizetype at = counted.indexOf(QLatin1String("%u"));
        if (at >= 0)
            counted.replace(at, 2, QString::number(count));
    }
    return text + counted;
}
