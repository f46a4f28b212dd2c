#pragma once

// User-visible texts that only the exchange formats use. Like the model's texts they are
// translatable sources of the "Rollkeeper" context; call RKText() for the text.

#include "model/Texts.h"

namespace rktext {

// Camera names a SoftTALK file gives by code.
inline constexpr char CameraF90[] = QT_TRANSLATE_NOOP("Rollkeeper", "F90/N90");
inline constexpr char CameraF90X[] = QT_TRANSLATE_NOOP("Rollkeeper", "F90X/N90s");
inline constexpr char CameraUnknown[] = QT_TRANSLATE_NOOP("Rollkeeper", "Unknown");

// PhotoSecretary's name for centre-weighted metering.
inline constexpr char CenterWeighted[] = QT_TRANSLATE_NOOP("Rollkeeper", "Center weighted");

}  // namespace rktext
