#include "exchange/ExportRolls.h"

#include "db/Table.h"
#include "exchange/TextFile.h"
#include "exchange/WriterSupport.h"

#include <QDir>

namespace {

const QString Placeholder = QStringLiteral("%n");

// Where the extension of a file name begins (its last "." after the last directory
// separator), or the end of the name when it has none.
qsizetype extensionStart(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    const qsizetype slash = std::max(fileName.lastIndexOf(QLatin1Char('/')),
                                     fileName.lastIndexOf(QDir::separator()));
    return dot > slash ? dot : fileName.size();
}

// The directory part of a file name, with its closing separator; empty when it has none.
QString directoryPart(const QString& fileName)
{
    const qsizetype slash = std::max(fileName.lastIndexOf(QLatin1Char('/')),
                                     fileName.lastIndexOf(QDir::separator()));
    return fileName.left(slash + 1);
}

QString withSuffix(const QString& fileName, const QString& suffix)
{
    QString name = fileName;
    return name.insert(extensionStart(fileName), suffix);
}

TExportResult exportCSV(const QString& fileName, const QList<int32_t>& rollNumbers,
                        TExportSource& source)
{
    QString rolls = CSVRollsHeader() + CrLf;
    QString frames = CSVFramesHeader() + CrLf;
    TExportRoll roll;
    QList<TExportFrame> rollFrames;
    for (const int32_t number : rollNumbers) {
        if (!source.readRoll(number, roll, rollFrames))
            continue;
        rolls += CSVRollLine(roll) + CrLf;
        for (const TExportFrame& frame : rollFrames)
            frames += CSVFrameLine(frame) + CrLf;
    }
    TExportResult result;
    for (const auto& [suffix, text] : {std::pair{QStringLiteral("_Rolls"), &rolls},
                                       std::pair{QStringLiteral("_Frames"), &frames}}) {
        const QString name = withSuffix(fileName, suffix);
        WriteTextFile(name, *text);
        result.Files << name;
    }
    result.Success = true;
    return result;
}

TExportResult exportOneFilePerRoll(const QString& fileName, TExchangeFormat format,
                                   const QList<int32_t>& rollNumbers, TExportSource& source)
{
    const QString pattern = ExportFilePattern(fileName, rollNumbers.size());
    TExportResult result;
    TExportRoll roll;
    QList<TExportFrame> frames;
    for (const int32_t number : rollNumbers) {
        if (!source.readRoll(number, roll, frames))
            continue;
        const QString name = ExportFileName(pattern, number);
        const QString directory = directoryPart(name);
        if (!directory.isEmpty() && !QDir().mkpath(directory)) {
            result.Success = false;
            result.Message = QStringLiteral("Could not create the directory \"%1\", aborting export")
                                 .arg(QDir::toNativeSeparators(directory));
            return result;
        }
        WriteTextFile(name, format == efSoftTALK ? SoftTALKFileText(roll, frames)
                                                 : PhotoSecretaryFileText(roll, frames));
        result.Files << name;
    }
    result.Success = !result.Files.isEmpty();
    return result;
}

// Reads rolls from a database view's tables. Remembers where both tables stand and
// holds their bound controls still while it walks them; puts everything back when it
// goes, whatever happened in between.
class TTableExportSource : public TExportSource
{
public:
    TTableExportSource(TDBTable& frameTable, TDBTable& rollTable)
        : m_frames(frameTable)
        , m_rolls(rollTable)
        , m_rollMark(rollTable.bookmark())
        , m_frameMark(frameTable.bookmark())
    {
        m_rolls.disableControls();
        m_frames.disableControls();
    }

    ~TTableExportSource() override
    {
        try {
            if (!m_rollMark.isNull() && m_rolls.bookmarkValid(m_rollMark))
                m_rolls.gotoBookmark(m_rollMark);
            if (!m_frameMark.isNull() && m_frames.bookmarkValid(m_frameMark))
                m_frames.gotoBookmark(m_frameMark);
        } catch (const std::exception&) {
            // The rows are where the export left them; nothing is lost.
        }
        m_frames.enableControls();
        m_rolls.enableControls();
    }

    TTableExportSource(const TTableExportSource&) = delete;
    TTableExportSource& operator=(const TTableExportSource&) = delete;

    bool readRoll(int32_t rollNumber, TExportRoll& roll, QList<TExportFrame>& frames) override
    {
        if (!m_rolls.locate(QStringLiteral("RollNumber"), {rollNumber}))
            return false;
        roll.RollNumber = m_rolls.field(QStringLiteral("RollNumber")).asInteger();
        roll.Photographer = text(m_rolls, "Photographer");
        roll.CameraType = text(m_rolls, "CameraType");
        roll.ISO = text(m_rolls, "ISO");
        roll.Comment = text(m_rolls, "Comment");
        roll.Date = m_rolls.field(QStringLiteral("Date")).asDateTime().date();

        frames.clear();
        for (m_frames.first(); !m_frames.eof(); m_frames.next()) {
            TExportFrame frame;
            frame.RollNumber = m_frames.field(QStringLiteral("RollNumber")).asInteger();
            frame.FrameNumber = m_frames.field(QStringLiteral("FrameNumber")).asInteger();
            frame.ShutterSpeed = text(m_frames, "ShutterSpeed");
            frame.Aperture = text(m_frames, "Aperture");
            frame.Lens = text(m_frames, "Lens");
            frame.Focal = text(m_frames, "Focal");
            frame.MaxAperture = text(m_frames, "MaxAperture");
            frame.ExposureMode = text(m_frames, "ExposureMode");
            frame.MeterMode = text(m_frames, "MeterMode");
            frame.ExposureValueDiff = text(m_frames, "ExposureValueDiff");
            frame.ExposureComp = text(m_frames, "ExposureComp");
            frame.FlashType = text(m_frames, "FlashType");
            frame.FlashMode = text(m_frames, "FlashMode");
            frame.FlashComp = text(m_frames, "FlashComp");
            frame.Date = m_frames.field(QStringLiteral("Date")).asDateTime().date();
            frame.Comment = text(m_frames, "Comment");
            frame.PictureFileName = text(m_frames, "PictureFileName");
            frames << frame;
        }
        return true;
    }

private:
    static QString text(TDBTable& table, const char* column)
    {
        return table.field(QString::fromLatin1(column)).asString();
    }

    TDBTable& m_frames;
    TDBTable& m_rolls;
    TDBBookmark m_rollMark;
    TDBBookmark m_frameMark;
};

}  // namespace

QString ExportFilePattern(const QString& fileName, qsizetype rollCount)
{
    if (rollCount > 1 && !fileName.contains(Placeholder))
        return withSuffix(fileName, Placeholder);
    return fileName;
}

QString ExportFileName(const QString& pattern, int32_t rollNumber)
{
    QString name = pattern;
    return name.replace(Placeholder, QString::number(rollNumber), Qt::CaseInsensitive);
}

TExportResult ExportRollsFrom(const QString& fileName, TExchangeFormat format,
                              const QList<int32_t>& rollNumbers, TExportSource& source)
{
    switch (format) {
    case efCSV: return exportCSV(fileName, rollNumbers, source);
    case efSoftTALK:
    case efPhotoSecretary: return exportOneFilePerRoll(fileName, format, rollNumbers, source);
    case efF90:
    case efMV1:
    case efUnrecognised: break;
    }
    return {};
}

TExportResult ExportRolls(const QString& fileName, TExchangeFormat format,
                          const QList<int32_t>& rollNumbers, TDBTable& frameTable,
                          TDBTable& rollTable)
{
    if (format != efCSV && format != efSoftTALK && format != efPhotoSecretary)
        return {};
    TTableExportSource source(frameTable, rollTable);
    return ExportRollsFrom(fileName, format, rollNumbers, source);
}
