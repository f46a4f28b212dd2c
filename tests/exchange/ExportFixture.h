#pragma once

// The rolls the golden export files were written from: texts as the database holds them,
// covering every form of the three writers.

#include "exchange/ExportRolls.h"

#include <QList>
#include <QStringList>

struct TGoldenRoll
{
    TExportRoll Roll;
    QList<TExportFrame> Frames;
};

inline TExportFrame GoldenFrame(int32_t roll, int32_t number, QStringList texts, QDate date = {},
                   QString comment = {}, QString picture = {})
{
    // ShutterSpeed, Aperture, Lens, Focal, MaxAperture, ExposureMode, MeterMode,
    // ExposureValueDiff, ExposureComp, FlashType, FlashMode, FlashComp
    TExportFrame f;
    f.RollNumber = roll;
    f.FrameNumber = number;
    QString* const columns[] = {&f.ShutterSpeed, &f.Aperture,  &f.Lens,         &f.Focal,
                                &f.MaxAperture,  &f.ExposureMode, &f.MeterMode, &f.ExposureValueDiff,
                                &f.ExposureComp, &f.FlashType, &f.FlashMode,    &f.FlashComp};
    for (int i = 0; i < 12; ++i)
        *columns[i] = texts.value(i);
    f.Date = date;
    f.Comment = comment;
    f.PictureFileName = picture;
    return f;
}

inline QList<TGoldenRoll> GoldenRolls()
{
    const QDate day(2003, 12, 31);
    return {
        {{3, "Ansel Adams", "F100", "100", "Holiday in Caf\u00e9\r\n\"Second\" line", day},
         {GoldenFrame(3, 1, {"1/250", "f5.6", "28-70mm", "35mm", "f3.5-f4.5", "Aperture priority", "Spot",
                       "-0.3", "+0.7", "TTL", "REAR", "-1.0"},
                day, "Sunset; \"red\"", "/pics/1.jpg"),
          GoldenFrame(3, 2, {"2\"", "UNKNOWN", "50mm", "50mm", "f1.4", "Program + ME", "Matrix", "0.0", "0.0",
                       "OFF", "", ""},
                day),
          GoldenFrame(3, 3, {"1/60", "f8", "", "85", "", "ME", "", "", "", "Non-TTL", "", ""}, {}, "two\r\nlines"),
          GoldenFrame(3, 4, {"1/8000", "f22", "80-200mm", "135mm", "f2.8", "Manual", "Centre", "+20.0", "-20.0",
                       "UNKNOWN", "RED-EYE+SLOW", "+0.5"},
                QDate(2004, 1, 1))}},
        {{12, "Ansel Adams", "F5", "UNKNOWN", "", QDate(2004, 1, 2)}, {GoldenFrame(12, 1, {"1/125"})}},
        {{7, "Ansel Adams", "Nikon FM2", "400", "Other", day}, {GoldenFrame(7, 1, {"1/125"})}},
    };
}
