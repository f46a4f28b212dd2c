// PhotoSecretary files: a roll line of three fields (film speed, an unused field, the
// roll comment), then one line of at least 17 fields per frame. Fields are separated by
// TABs or ";", or are all enclosed in double quotes and separated by commas.

#include "exchange/FieldReader.h"
#include "exchange/FileFilters.h"
#include "exchange/ImportSupport.h"
#include "model/Texts.h"

namespace {

const QString Tab = QStringLiteral("\t");

// The fields of a quoted comma-separated line, unquoted and joined by TABs, so that the
// one field consumer reads all three kinds of file.
QString unquoted(const QString& line)
{
    QStringList fields = SplitQuotedCommaLine(line).Fields;
    for (QString& field : fields)
        field.replace(QLatin1Char('\t'), QLatin1Char(' '));
    return fields.join(Tab);
}

void readFrameFields(TFieldReader& fields, TRKFrame& frame)
{
    fields.takeFirstField();
    frame.ShutterSpeed = fields.takeShutterSpeed();
    frame.Aperture = fields.takeAperture();
    SetFocalAndLens(frame, fields.takeFocalAndLens());
    std::tie(frame.MaxApertureAtMin, frame.MaxApertureAtMax) = fields.takeMaxApertureRange();
    frame.MeterMode = fields.takeMetering();
    frame.ExposureMode = fields.takeExposureMode();
    frame.FlashMode = fields.takeFlashMode();
    // A frame recorded in the camera's simple mode has no compensation values.
    frame.RecordingMode = fields.nextTwoFieldsEmpty() ? 0 : 1;
    frame.ExposureComp = fields.takeEV();
    frame.ExposureValueDiff = fields.takeEV();
    frame.FlashComp = fields.takeEV();
    frame.FlashType = fields.takeFlashType();
    frame.MultipleExposure = fields.takeMultipleExposure();
    const QDate date = fields.takeDate();
    const QTime time = fields.takeTime();
    fields.takeDate();
    frame.Comment = fields.rest().trimmed();
    if (date.isValid())
        frame.Date = QDateTime(date, time.isValid() ? time : QTime(0, 0));
}

}  // namespace

void ReadPhotoSecretaryData(const TSourceFile& source, TRKRollSet& rollSet, int32_t rollNumber,
                            const QString& photographer)
{
    QStringList lines = SplitTextLines(source.Data);
    const QString first = lines.value(0);
    QString separator = Tab;
    if (first.count(QLatin1Char('\t')) != 2 && first.count(QLatin1Char(';')) == 2) {
        separator = QStringLiteral(";");
    } else if (first.count(QLatin1Char('\t')) != 2 && SplitQuotedCommaLine(first).AllQuoted) {
        for (QString& line : lines)
            line = unquoted(line);
    }

    TRKRoll roll;
    roll.RollNumber = rollNumber == -1 ? FileNameRollNumber(source.FileName) : rollNumber;
    roll.Photographer = photographer;
    roll.Date = source.Modified;
    const QString rollLine = lines.value(0);
    const qsizetype firstSeparator = rollLine.indexOf(separator);
    roll.ISO = TextToISO(firstSeparator < 0 ? QString() : rollLine.left(firstSeparator).trimmed());
    const qsizetype secondSeparator =
        firstSeparator < 0 ? -1 : rollLine.indexOf(separator, firstSeparator + separator.size());
    roll.Comment = secondSeparator < 0 ? QString() : rollLine.mid(secondSeparator + separator.size());
    if (roll.Comment.trimmed().isEmpty())
        roll.Comment = FileNameOnly(source.FileName);

    QList<TRKFrame> frames;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (i > MaxFramesPerFile)
            throw TooManyFramesError(source.FileName, static_cast<int>(i + 1));
        TRKFrame frame;
        frame.RollNumber = roll.RollNumber;
        frame.FrameNumber = static_cast<uint8_t>(i);
        frame.Date = roll.Date;
        TFieldReader fields(lines.at(i), separator);
        readFrameFields(fields, frame);
        frames << frame;
    }
    if (!frames.isEmpty())
        roll.CameraType = RKText(rktext::CameraF100);
    rollSet.Rolls << roll;
    rollSet.Frames << frames;
}
