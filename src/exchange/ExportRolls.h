#pragma once

// Export side of the exchange formats: chosen rolls of a database, with their frames,
// written as SoftTALK or PhotoSecretary files (one file per roll, named from a pattern in
// which "%n" stands for the roll number) or as a pair of CSV files (all rolls in one file
// "<name>_Rolls<ext>", all frames in "<name>_Frames<ext>").
//
// Every value is the text the database holds; the SoftTALK and PhotoSecretary writers
// translate some texts into the vocabulary of the target program, the CSV writer writes
// them unchanged. Files are Windows-1252 text with CR LF line ends; a file of the same
// name is replaced (a failed write leaves the old file as it was).
//
// Runs on the thread that owns the tables. Errors: EFileError when a file cannot be
// created or written (files written before stay); a database error of the tables passes
// through. Either way the tables stay on the rows they stood on.

#include "exchange/ExchangeFormat.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

class TDBTable;

// The columns an export reads, as texts; a date without its time, null when empty.
struct TExportRoll
{
    int32_t RollNumber = 0;
    QString Photographer, CameraType, ISO, Comment;
    QDate Date;
};

struct TExportFrame
{
    int32_t RollNumber = 0;
    int32_t FrameNumber = 0;
    QString ShutterSpeed, Aperture, Lens, Focal, MaxAperture, ExposureMode, MeterMode,
        ExposureValueDiff, ExposureComp, FlashType, FlashMode, FlashComp;
    QDate Date;
    QString Comment, PictureFileName;
};

// Where an export reads its rolls: the database tables, or anything else in tests.
class TExportSource
{
public:
    virtual ~TExportSource() = default;
    // The roll with that number and its frames in frame order; false when there is none.
    virtual bool readRoll(int32_t rollNumber, TExportRoll& roll, QList<TExportFrame>& frames) = 0;
};

struct TExportResult
{
    bool Success = false;
    QStringList Files;  // written, in order
    // Why the export stopped when it did not succeed, for the user; empty when no roll of
    // the given numbers exists.
    QString Message;
};

// Writes the rolls in the order given. rollTable and frameTable are a database view's
// tables; their pending edits are posted, and they stay on the rows they stood on (the
// export reads the file through queries of its own on their connection).
//
// SoftTALK and PhotoSecretary: with several rolls and no "%n" in the name (case counts),
// "%n" is put before the extension; every "%n" (any case) becomes the roll number.
// Missing directories are created, parents first; when one cannot be, the export stops
// with Message "Could not create the directory "<dir>", aborting export". A roll number
// without a roll is skipped; Success when at least one file was written.
// CSV: "%n" stays as typed and no directory is created; Success once both files are
// written.
TExportResult ExportRolls(const QString& fileName, TExchangeFormat format,
                          const QList<int32_t>& rollNumbers, TDBTable& frameTable,
                          TDBTable& rollTable);
TExportResult ExportRollsFrom(const QString& fileName, TExchangeFormat format,
                              const QList<int32_t>& rollNumbers, TExportSource& source);

// The file name pattern for a number of rolls, and a roll's file name from it.
QString ExportFilePattern(const QString& fileName, qsizetype rollCount);
QString ExportFileName(const QString& pattern, int32_t rollNumber);

// The whole text of one file of each format, lines ended by CR LF.
QString SoftTALKFileText(const TExportRoll& roll, const QList<TExportFrame>& frames);
QString PhotoSecretaryFileText(const TExportRoll& roll, const QList<TExportFrame>& frames);
QString CSVRollsHeader();
QString CSVFramesHeader();
QString CSVRollLine(const TExportRoll& roll);
QString CSVFrameLine(const TExportFrame& frame);
