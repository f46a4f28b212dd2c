// The CSV export: semicolon-separated lines, texts in double quotes, every value as the
// database holds it. Dates are written as YYYY-MM-DD: a locale's short form may drop the
// century, and a file for other programs should read the same on every machine.

#include "exchange/ExportRolls.h"
#include "exchange/WriterSupport.h"

namespace {

const QString Separator = QStringLiteral(";");

QString quoted(QString text)
{
    text.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString dateForm(const QDate& date)
{
    return date.isValid() ? date.toString(Qt::ISODate) : QString();
}

QString header(std::initializer_list<const char*> names)
{
    QStringList fields;
    for (const char* name : names)
        fields << quoted(QString::fromLatin1(name));
    return fields.join(Separator);
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

QString CSVRollLine(const TExportRoll& roll)
{
    return QStringList{
        QString::number(roll.RollNumber),
        quoted(roll.Photographer),
        quoted(roll.CameraType),
        quoted(roll.ISO),
        quoted(SingleLine(roll.Comment).trimmed()),
        dateForm(roll.Date),
    }.join(Separator);
}

QString CSVFrameLine(const TExportFrame& frame)
{
    return QStringList{
        QString::number(frame.RollNumber),
        QString::number(frame.FrameNumber),
        quoted(frame.ShutterSpeed),
        quoted(frame.Aperture),
        quoted(frame.Lens),
        quoted(frame.Focal),
        quoted(frame.MaxAperture),
        quoted(frame.ExposureMode),
        quoted(frame.MeterMode),
        quoted(frame.ExposureValueDiff),
        quoted(frame.ExposureComp),
        quoted(frame.FlashType),
        quoted(frame.FlashMode),
        quoted(frame.FlashComp),
        dateForm(frame.Date),
        quoted(SingleLine(frame.Comment).trimmed()),
        quoted(frame.PictureFileName),
    }.join(Separator);
}
