// The CSV export: semicolon-separated lines, texts in double quotes, every value as the
// database holds it. Dates are written as YYYY-MM-DD: a locale's short form may drop the
// century, and a file for other programs should read the same on every machine.

#include "exchange/ExportRolls.h"
#include "exchange/WriterSupport.h"

namespace {

const QChar Separator = QLatin1Char(';');
const QChar Quote = QLatin1Char('"');

void appendQuoted(QString& out, const QString& text)
{
    out += Quote;
    if (text.contains(Quote)) {
        QString doubled = text;
        out += doubled.replace(Quote, QStringLiteral("\"\""));
    } else {
        out += text;
    }
    out += Quote;
}

void appendDate(QString& out, const QDate& date)
{
    if (date.isValid())
        out += date.toString(Qt::ISODate);
}

QString header(std::initializer_list<const char*> names)
{
    QString line;
    for (const char* name : names) {
        if (!line.isEmpty())
            line += Separator;
        appendQuoted(line, QString::fromLatin1(name));
    }
    return line;
}

}  // namespace

QString CSVRollsHeader()
{
    return header({"RollNumber", "Photographer", "CameraType", "ISO", "Comment", "Date"});
}

QString CSVFramesHeader()
{
    return header({"RollNumber", "FrameNumber", "ShutterSpeed", "Aperture", "Lens", "Focal",
                   "MaxAperture", "ExposureMode", "MeterMode", "ExposureValueDiff", "ExposureComp",
                   "FlashType", "FlashMode", "FlashComp", "Date", "Comment", "PictureFileName"});
}

void AppendCSVRollLine(QString& out, const TExportRoll& roll)
{
    out += QString::number(roll.RollNumber);
    for (const QString* text : {&roll.Photographer, &roll.CameraType, &roll.ISO}) {
        out += Separator;
        appendQuoted(out, *text);
    }
    out += Separator;
    appendQuoted(out, SingleLine(roll.Comment).trimmed());
    out += Separator;
    appendDate(out, roll.Date);
}

void AppendCSVFrameLine(QString& out, const TExportFrame& frame)
{
    out += QString::number(frame.RollNumber);
    out += Separator;
    out += QString::number(frame.FrameNumber);
    for (const QString* text : {&frame.ShutterSpeed, &frame.Aperture, &frame.Lens, &frame.Focal,
                                &frame.MaxAperture, &frame.ExposureMode, &frame.MeterMode,
                                &frame.ExposureValueDiff, &frame.ExposureComp, &frame.FlashType,
                                &frame.FlashMode, &frame.FlashComp}) {
        out += Separator;
        appendQuoted(out, *text);
    }
    out += Separator;
    appendDate(out, frame.Date);
    out += Separator;
    appendQuoted(out, SingleLine(frame.Comment).trimmed());
    out += Separator;
    appendQuoted(out, frame.PictureFileName);
}

QString CSVRollLine(const TExportRoll& roll)
{
    QString line;
    AppendCSVRollLine(line, roll);
    return line;
}

QString CSVFrameLine(const TExportFrame& frame)
{
    QString line;
    AppendCSVFrameLine(line, frame);
    return line;
}
