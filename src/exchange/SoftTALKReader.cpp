// SoftTALK files: key lines ("COMMENT=", "SEPARATOR=", "FILMNO=", "FRAMES=", "CAMERA=",
// "ISO=", "DATA=") in any case, then one separated line per frame. A file may begin
// several rolls with several "FILMNO=" lines.

#include "exchange/ExchangeTexts.h"
#include "exchange/FieldReader.h"
#include "exchange/FileFilters.h"
#include "exchange/ImportSupport.h"

#include <QHash>

namespace {

// SoftTALK's camera codes.
enum : int32_t { CameraF90 = 1, CameraF90X = 2, CameraF100 = 4, CameraF5 = 8 };

// The writer appends this to the comment of a frame of a multiple exposure.
const QString MultiexposureMark = QStringLiteral("(Multiexposure)");

QString cameraName(int32_t code)
{
    switch (code) {
    case CameraF90: return RKText(rktext::CameraF90);
    case CameraF90X: return RKText(rktext::CameraF90X);
    case CameraF100: return RKText(rktext::CameraF100);
    case CameraF5: return RKText(rktext::CameraF5);
    default: return RKText(rktext::CameraUnknown);
    }
}

void readF100Fields(TFieldReader& fields, TRKFrame& frame)
{
    frame.RecordingMode = 1;
    fields.takeFirstField();
    frame.ShutterSpeed = fields.takeShutterSpeed();
    frame.Aperture = fields.takeAperture();
    frame.ExposureMode = fields.takeExposureMode();
    frame.MeterMode = fields.takeMetering();
    frame.ExposureValueDiff = fields.takeEV();
    frame.ExposureComp = fields.takeEV();
    SetFocalAndLens(frame, fields.takeFocalAndLens());
    std::tie(frame.MaxApertureAtMin, frame.MaxApertureAtMax) = fields.takeMaxApertureRange();
    std::tie(frame.FlashType, frame.FlashMode) = fields.takeSoftTALKFlash();
    frame.FlashComp = fields.takeEV();
    // The line ends with the comment and eight separators.
    frame.Comment = fields.rest().chopped(std::min<qsizetype>(8, fields.rest().size()));
    if (frame.Comment.endsWith(MultiexposureMark)) {
        frame.Comment.chop(MultiexposureMark.size());
        frame.MultipleExposure = true;
    }
}

void readF5Fields(TFieldReader& fields, TRKFrame& frame)
{
    fields.takeFirstField();
    frame.ShutterSpeed = fields.takeShutterSpeed();
    frame.Aperture = fields.takeAperture();
    std::tie(frame.FlashType, frame.FlashMode) = fields.takeSoftTALKFlash();
    frame.MeterMode = fields.takeMetering();
    frame.ExposureMode = fields.takeExposureMode();
    SetFocalAndLens(frame, fields.takeFocalAndLens());
    frame.ExposureComp = fields.takeEV();
    std::tie(frame.MaxApertureAtMin, frame.MaxApertureAtMax) = fields.takeMaxApertureRange();
    frame.ExposureValueDiff = fields.takeEV();
    frame.RecordingMode = frame.FlashMode != 0 ? 1 : 0;
}

}  // namespace

void ReadSoftTALKData(const TSourceFile& source, TRKRollSet& rollSet, int32_t rollNumber,
                      const QString& photographer)
{
    const QStringList lines = SplitTextLines(source.Data);
    TRKRollSet read;
    QString separator = QStringLiteral("\t");
    QStringList comment;
    // Rolls this file began, by number. Lines that act on a roll ("CAMERA=", "ISO=",
    // frames) act only on the roll of the last "FILMNO=" line of this file; before the
    // first one they are ignored.
    QHash<int32_t, qsizetype> rollIndex;
    qsizetype current = -1;
    int32_t cameraCode = 0;
    bool inData = false;
    int frameCount = 0;

    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        const int lineNumber = static_cast<int>(i + 1);
        if (StartsWithKey(line, QLatin1String("COMMENT="))) {
            comment << line.mid(8);
        } else if (StartsWithKey(line, QLatin1String("SEPARATOR="))) {
            separator = line.mid(10);
        } else if (StartsWithKey(line, QLatin1String("FILMNO="))) {
            const int32_t number =
                rollNumber == -1 ? LeadingInteger(line.mid(7)).value_or(-1) : rollNumber;
            // Several "FILMNO=" lines under one roll number make one roll: its frames are
            // numbered on through the file, and a second roll row would be refused.
            if (const auto found = rollIndex.constFind(number); found != rollIndex.cend()) {
                current = *found;
                continue;
            }
            TRKRoll roll;
            roll.RollNumber = number;
            roll.Photographer = photographer;
            roll.Date = source.Modified;
            roll.Comment = comment.join(QStringLiteral("\r\n"));
            current = read.Rolls.size();
            rollIndex.insert(number, current);
            read.Rolls << roll;
        } else if (StartsWithKey(line, QLatin1String("FRAMES="))) {
            // The count is not trusted: frames are counted as they come.
        } else if (StartsWithKey(line, QLatin1String("CAMERA="))) {
            if (current < 0)
                continue;
            cameraCode = LeadingInteger(line.mid(7)).value_or(0);
            read.Rolls[current].CameraType = cameraName(cameraCode);
        } else if (StartsWithKey(line, QLatin1String("ISO="))) {
            if (current >= 0)
                read.Rolls[current].ISO = TextToISO(line.mid(4).trimmed());
        } else if (inData) {
            if (line.trimmed().isEmpty() || current < 0)
                continue;
            if (++frameCount > MaxFramesPerFile)
                throw TooManyFramesError(source.FileName, lineNumber);
            const TRKRoll& roll = read.Rolls.at(current);
            TRKFrame frame;
            frame.RollNumber = roll.RollNumber;
            frame.FrameNumber = static_cast<uint8_t>(frameCount);
            frame.Date = roll.Date;
            TFieldReader fields(line, separator);
            if (cameraCode == CameraF100)
                readF100Fields(fields, frame);
            else if (cameraCode == CameraF5)
                readF5Fields(fields, frame);
            read.Frames << frame;
        } else if (StartsWithKey(line, QLatin1String("DATA="))) {
            inData = true;
        }
    }
    rollSet.Rolls << read.Rolls;
    rollSet.Frames << read.Frames;
}
