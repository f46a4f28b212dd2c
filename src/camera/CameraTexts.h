#pragma once

// Every text of the camera link that a user sees: the messages of the operation result
// codes and the status of the camera's shooting-data memory. They are translatable
// source texts of the "Rollkeeper" context, turned into the user's language by RKText().

#include <QString>
#include <QtGlobal>

#include <cstdint>
#include <optional>

namespace rktext {

inline constexpr char CouldNotOpenPort[] = QT_TRANSLATE_NOOP("Rollkeeper", "Could not open port");
inline constexpr char OperationCancelled[] = QT_TRANSLATE_NOOP("Rollkeeper", "Operation cancelled");
inline constexpr char NoExpectedData[] =
    QT_TRANSLATE_NOOP("Rollkeeper", "Camera did not return expected data or no camera attached");
inline constexpr char CameraReportedError[] =
    QT_TRANSLATE_NOOP("Rollkeeper", "Camera reported an error");
inline constexpr char DataSettingsNotStored[] = QT_TRANSLATE_NOOP(
    "Rollkeeper", "Data settings not stored in camera. Possible cause: film present in camera");
inline constexpr char ShootingDataPresentCantWrite[] =
    QT_TRANSLATE_NOOP("Rollkeeper", "Shooting data present, can't write data settings");
inline constexpr char NoShootingDataPresent[] =
    QT_TRANSLATE_NOOP("Rollkeeper", "No shooting data present");
inline constexpr char DeleteFailed[] = QT_TRANSLATE_NOOP(
    "Rollkeeper", "Delete Shooting Data failed, possible cause: film present in camera");
inline constexpr char UnknownErrorOccured[] =
    QT_TRANSLATE_NOOP("Rollkeeper", "Unknown error occured");
inline constexpr char UnknownErrorCode[] = QT_TRANSLATE_NOOP("Rollkeeper", "Unknown error code");

inline constexpr char ShootingDataNotPresent[] =
    QT_TRANSLATE_NOOP("Rollkeeper", "Shooting data not present");
inline constexpr char ShootingDataPresent[] =
    QT_TRANSLATE_NOOP("Rollkeeper", "Shooting data present");
inline constexpr char NoFramesRecorded[] = QT_TRANSLATE_NOOP("Rollkeeper", " (no frames recorded)");
inline constexpr char RollFrame[] = QT_TRANSLATE_NOOP("Rollkeeper", " (%u roll, %u frame)");
inline constexpr char RollFrames[] = QT_TRANSLATE_NOOP("Rollkeeper", " (%u roll, %u frames)");
inline constexpr char RollsFrame[] = QT_TRANSLATE_NOOP("Rollkeeper", " (%u rolls, %u frame)");
inline constexpr char RollsFrames[] = QT_TRANSLATE_NOOP("Rollkeeper", " (%u rolls, %u frames)");

}  // namespace rktext

// The message of an operation result code: empty for 0 (success).
QString CameraResultMessage(uint8_t resultCode);

// Rolls and frames estimated from the size of the camera's shooting data.
struct TRollFrameCount
{
    uint16_t Rolls = 0;
    uint16_t Frames = 0;

    friend bool operator==(const TRollFrameCount&, const TRollFrameCount&) = default;
};

// What the camera's data memory holds, as the data settings show it: "Shooting data not
// present", "Shooting data present", or the latter with the estimated counts when they
// are known, e.g. "Shooting data present (1 roll, 36 frames)".
QString ShootingDataStatusText(bool shootingDataPresent,
                               const std::optional<TRollFrameCount>& counts);
