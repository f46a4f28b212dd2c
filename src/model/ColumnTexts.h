#pragma once

// The database texts of a roll and a frame: which conversion fills which column of the
// tables Rolls and Frames. The adder writes these; exporters and tests read them back.
//
// A detailed frame (RecordingMode 1) fills every column. A simple frame carries only
// shutter speed, aperture, focal length, flash type and the multiple exposure flag, so
// its other columns stay empty and its focal length has no unit.

#include "model/DataStructures.h"

#include <QString>

struct TFrameColumnTexts
{
    QString ShutterSpeed, Aperture, Focal, FlashType, Lens, MaxAperture, ExposureMode, MeterMode,
        ExposureValueDiff, ExposureComp, FlashMode, FlashComp;

    friend bool operator==(const TFrameColumnTexts&, const TFrameColumnTexts&) = default;
};

TFrameColumnTexts FrameColumnTexts(const TRKFrame& frame);
QString RollISOText(const TRKRoll& roll);
