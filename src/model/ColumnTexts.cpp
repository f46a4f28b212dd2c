#include "model/ColumnTexts.h"

#include "model/CodeTables.h"
#include "model/FrameTexts.h"
#include "model/Texts.h"

TFrameColumnTexts FrameColumnTexts(const TRKFrame& frame)
{
    TFrameColumnTexts texts;
    texts.ShutterSpeed = ShutterSpeedToText(frame.ShutterSpeed);
    texts.Aperture = ApertureToText(frame.Aperture);
    texts.FlashType = FlashTypeToText(frame.FlashType);
    texts.Focal = FocalToText(frame.Focal);

    if (frame.RecordingMode != 1) {
        if (frame.MultipleExposure)
            texts.ExposureMode = RKText(rktext::MultipleExposure);
        return texts;
    }

    // A frame without lens information keeps a bare "-", not "-mm".
    if (texts.Focal != QLatin1StringView(NoFocal))
        texts.Focal += QLatin1StringView(rktext::Millimetres);
    texts.Lens = LensToText(frame.LensMinFocal, frame.LensMaxFocal);
    texts.MaxAperture = MaxApertureToText(frame.MaxApertureAtMin, frame.MaxApertureAtMax);
    texts.ExposureMode = ExposureModeToText(frame.ExposureMode, frame.MultipleExposure);
    texts.MeterMode = MeterModeToText(frame.MeterMode);
    texts.ExposureValueDiff = EVToText(frame.ExposureValueDiff);
    texts.ExposureComp = EVToText(frame.ExposureComp);
    // With the flash off there is no sync mode or flash compensation to speak of.
    const bool flashOff = (frame.FlashType & 0x7F) == 1;
    if (!flashOff) {
        texts.FlashMode = FlashModeToText(frame.FlashMode);
        texts.FlashComp = EVToText(frame.FlashComp);
    }
    return texts;
}

QString RollISOText(const TRKRoll& roll)
{
    return ISOToText(roll.ISO);
}
