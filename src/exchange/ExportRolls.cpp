#include "exchange/ExportRolls.h"

#include "db/Connection.h"
#include "db/DatabaseErrors.h"
#include "db/Sqlite.h"
#include "db/Table.h"
#include "exchange/TextFile.h"
#include "exchange/WriterSupport.h"

#include <QDir>

#include <memory>

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
        AppendCSVRollLine(rolls, roll);
        rolls += CrLf;
        for (const TExportFrame& frame : rollFrames) {
            AppendCSVFrameLine(frames, frame);
            frames += CrLf;
        }
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

// A day stored as "YYYY-MM-DD"; null when empty.
QDate storedDate(const QString& text)
{
    return text.isEmpty() ? QDate() : QDate::fromString(text, Qt::ISODate);
}

// Reads rolls from the file of a database view's tables, with queries of its own on the
// tables' connection: the tables themselves never move, so their controls stay still
// and the user finds them where they were. Pending edits of the tables are posted first,
// so that they are exported too. The whole export reads one consistent state of the file,
// even while an adder writes to it.
class TTableExportSource : public TExportSource
{
public:
    TTableExportSource(TDBTable& frameTable, TDBTable& rollTable)
        : m_connection(*rollTable.connection())
    {
        for (TDBTable* table : {&rollTable, &frameTable}) {
            if (table->state() == TDBState::Edit || table->state() == TDBState::Insert)
                table->post();
        }
        m_rolls = std::make_unique<TSqlStatement>(
            m_connection.handle(),
            QStringLiteral("SELECT RollNumber, Photographer, CameraType, ISO, Comment, Date "
                           "FROM Rolls WHERE RollNumber = ?1"));
        m_frames = std::make_unique<TSqlStatement>(
            m_connection.handle(),
            QStringLiteral("SELECT RollNumber, FrameNumber, ShutterSpeed, Aperture, Lens, Focal, "
                           "MaxAperture, ExposureMode, MeterMode, ExposureValueDiff, ExposureComp, "
                           "FlashType, FlashMode, FlashComp, Date, Comment, PictureFileName "
                           "FROM Frames WHERE RollNumber = ?1 ORDER BY FrameNumber"));
        if (!m_connection.inTransaction()) {
            m_connection.beginTransaction();
            m_ownTransaction = true;
        }
    }

    ~TTableExportSource() override
    {
        m_rolls.reset();
        m_frames.reset();
        if (!m_ownTransaction)
            return;
        try {
            m_connection.commit();  // nothing was written: this only ends the reading
        } catch (const std::exception&) {
        }
    }

    TTableExportSource(const TTableExportSource&) = delete;
    TTableExportSource& operator=(const TTableExportSource&) = delete;

    bool readRoll(int32_t rollNumber, TExportRoll& roll, QList<TExportFrame>& frames) override
    {
        TSqlStatement& rolls = *m_rolls;
        rolls.reset();
        rolls.bindInteger(1, rollNumber);
        if (!rolls.step())
            return false;
        roll.RollNumber = static_cast<int32_t>(rolls.integer(0));
        roll.Photographer = rolls.text(1);
        roll.CameraType = rolls.text(2);
        roll.ISO = rolls.text(3);
        roll.Comment = rolls.text(4);
        roll.Date = storedDate(rolls.text(5));
        rolls.reset();

        TSqlStatement& query = *m_frames;
        query.reset();
        query.bindInteger(1, rollNumber);
        frames.clear();
        while (query.step()) {
            TExportFrame frame;
            frame.RollNumber = static_cast<int32_t>(query.integer(0));
            frame.FrameNumber = static_cast<int32_t>(query.integer(1));
            QString* const texts[] = {&frame.ShutterSpeed, &frame.Aperture, &frame.Lens,
                                      &frame.Focal, &frame.MaxAperture, &frame.ExposureMode,
                                      &frame.MeterMode, &frame.ExposureValueDiff,
                                      &frame.ExposureComp, &frame.FlashType, &frame.FlashMode,
                                      &frame.FlashComp};
            for (int i = 0; i < 12; ++i)
                *texts[i] = query.text(2 + i);
            frame.Date = storedDate(query.text(14));
            frame.Comment = query.text(15);
            frame.PictureFileName = query.text(16);
            frames << frame;
        }
        return true;
    }

private:
    TDBConnection& m_connection;
    std::unique_ptr<TSqlStatement> m_rolls;
    std::unique_ptr<TSqlStatement> m_frames;
    bool m_ownTransaction = false;
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
    if (!rollTable.isOpen() || !rollTable.connection())
        throw EDatabaseError(QStringLiteral("The roll table is not open"));
    TTableExportSource source(frameTable, rollTable);
    return ExportRollsFrom(fileName, format, rollNumbers, source);
}
