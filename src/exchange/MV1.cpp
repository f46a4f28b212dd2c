#include "exchange/MV1.h"

#include "exchange/FieldReader.h"
#include "exchange/FileFilters.h"
#include "exchange/ImportSupport.h"
#include "model/FrameTexts.h"
#include "model/Texts.h"

#include <QHash>

namespace {

const QString Header = QStringLiteral("Film speed,Film number,Camera ID");
// The camera ID an F100 writes; any other ID is an F5's.
const QString F100CameraID = QStringLiteral("___");

// The columns of the frame lines this reader uses, found by name without regard to case.
class TColumns
{
public:
    TColumns(const QString& columnLine, const QString& fileName)
        : m_names(columnLine.split(QLatin1Char(',')))
        , m_fileName(fileName)
    {
    }

    // The value of a column in a frame line; empty when the file has no such column.
    QString value(const QStringList& fields, const char* name, int lineNumber) const
    {
        const QString column = QString::fromLatin1(name);
        for (qsizetype i = 0; i < m_names.size(); ++i) {
            if (m_names.at(i).compare(column, Qt::CaseInsensitive) != 0)
                continue;
            if (i >= fields.size())
                throw FileFormatError(m_fileName, lineNumber, column,
                                      QStringLiteral("the line has no value for this column"));
            return fields.at(i);
        }
        return {};
    }

private:
    QStringList m_names;
    QString m_fileName;
};

uint8_t meterMode(const QString& text)
{
    if (text.compare(QLatin1String("Spot"), Qt::CaseInsensitive) == 0)
        return 3;
    if (text.compare(QLatin1String("Matrix"), Qt::CaseInsensitive) == 0)
        return 1;
    if (text.compare(QLatin1String("Center weighted"), Qt::CaseInsensitive) == 0)
        return 2;
    return 0;
}

uint8_t exposureMode(const QString& text)
{
    if (text.isEmpty())
        return 0;
    switch (text.left(1).toUpper().at(0).unicode()) {
    case 'P': return 1;
    case 'A': return 2;
    case 'S': return 3;
    case 'M': return 4;
    default: return 0;
    }
}

TCodePair maxApertures(const QString& text)
{
    const qsizetype dash = text.indexOf(QLatin1Char('-'));
    if (dash < 0) {
        const uint8_t code = TextToAperture(text);
        return {code, code};
    }
    return {TextToAperture(text.left(dash)), TextToAperture(text.mid(dash + 1))};
}

}  // namespace

bool IsMV1Header(const QString& line)
{
    return line.compare(Header, Qt::CaseInsensitive) == 0;
}

int32_t MV1RollNumber(const QStringList& lines)
{
    if (lines.size() < 2)
        return -1;
    const QStringList fields = lines.at(1).split(QLatin1Char(','));
    if (fields.size() != 3)
        return -1;
    return StrictInteger(fields.at(1)).value_or(-1);
}

bool ReadMV1File(const QString& fileName, TRKRollSet& rollSet, int32_t rollNumber,
                 const QString& photographer)
{
    return ReadMV1Data(LoadSourceFile(fileName), rollSet, rollNumber, photographer);
}

bool ReadMV1Data(const TSourceFile& source, TRKRollSet& rollSet, int32_t rollNumber,
                 const QString& photographer)
{
    QStringList lines = SplitTextLines(source.Data);
    if (lines.size() <= 2 || !IsMV1Header(lines.first()))
        return false;
    // Blank lines at the end of the file are no frames; one among the frames is an error.
    while (lines.size() > 3 && lines.last().trimmed().isEmpty())
        lines.removeLast();

    const QStringList rollFields = lines.at(1).split(QLatin1Char(','));
    const QString cameraID = rollFields.value(2);
    TRKRoll roll;
    roll.RollNumber = rollNumber;
    roll.ISO = TextToISO(rollFields.value(0));
    roll.Photographer = photographer;
    roll.CameraType = cameraID == F100CameraID
                          ? RKText(rktext::CameraF100)
                          : RKText(rktext::CameraF5) + QStringLiteral(" [") + cameraID
                                + QStringLiteral("]");
    roll.Comment = FileNameOnly(source.FileName);
    roll.Date = source.Modified;

    const TColumns columns(lines.at(2), source.FileName);
    QList<TRKFrame> frames;
    QHash<int, int> lineOfFrame;
    for (qsizetype i = 3; i < lines.size(); ++i) {
        const int lineNumber = static_cast<int>(i + 1);
        const QStringList fields = lines.at(i).split(QLatin1Char(','));
        const auto value = [&](const char* name) { return columns.value(fields, name, lineNumber); };

        const QString frameNumberText = value("Frame number");
        const std::optional<int32_t> frameNumber = StrictInteger(frameNumberText);
        if (!frameNumber || *frameNumber < 0 || *frameNumber > MaxFramesPerFile) {
            throw FileFormatError(source.FileName, lineNumber, QStringLiteral("Frame number"),
                                  QStringLiteral("\"%1\" is not a frame number from 0 to %2")
                                      .arg(frameNumberText)
                                      .arg(MaxFramesPerFile));
        }
        if (lineOfFrame.contains(*frameNumber)) {
            throw FileFormatError(source.FileName, lineNumber, QStringLiteral("Frame number"),
                                  QStringLiteral("frame %1 is already on line %2")
                                      .arg(*frameNumber)
                                      .arg(lineOfFrame.value(*frameNumber)));
        }
        lineOfFrame.insert(*frameNumber, lineNumber);

        TRKFrame frame;
        frame.RecordingMode = 1;
        frame.RollNumber = rollNumber;
        frame.FrameNumber = static_cast<uint8_t>(*frameNumber);
        frame.Date = roll.Date;
        frame.ShutterSpeed = TextToShutterSpeed(value("Shutter speed"));
        frame.Aperture = TextToAperture(value("Aperture"));
        SetFocalAndLens(frame, TextToFocalAndLens(value("Focal length")));
        std::tie(frame.MaxApertureAtMin, frame.MaxApertureAtMax) =
            maxApertures(value("Lens maximum aperture"));
        frame.MeterMode = meterMode(value("Metering system"));
        frame.ExposureMode = exposureMode(value("Exposure mode"));
        frame.ExposureComp = TextToEV(value("Exposure compensation value"));
        frame.ExposureValueDiff = TextToEV(value("EV difference in Manual"));
        frame.FlashComp = TextToEV(value("Flash exposure compensation value"));
        frame.FlashType = TextToFlashType(value("Speedlight setting"));
        // A file without the column does not make every frame a multiple exposure.
        const QString multiple = value("Multiple exposure");
        frame.MultipleExposure =
            !multiple.isEmpty() && multiple.compare(QLatin1String("None"), Qt::CaseInsensitive) != 0;
        frames << frame;
    }
    rollSet.Rolls << roll;
    rollSet.Frames << frames;
    return true;
}
