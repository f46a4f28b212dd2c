#include "exchange/ImportFiles.h"

#include "db/DatabaseAdder.h"
#include "exchange/FileFilters.h"
#include "exchange/ImportSupport.h"

#include <QEventLoop>
#include <QHash>

namespace {

// The database holds texts of at most this many characters; a longer one would be
// refused in the middle of the add, after the rolls before it were stored.
constexpr qsizetype MaxTextLength = 255;

void checkTextLengths(const TRKRollSet& rollSet, qsizetype firstRoll, qsizetype firstFrame,
                      const QString& fileName)
{
    const auto check = [&](const QString& text, const char* field) {
        if (text.size() > MaxTextLength) {
            throw FileFormatError(fileName, 0, QString::fromLatin1(field),
                                  QStringLiteral("longer than %1 characters").arg(MaxTextLength));
        }
    };
    for (qsizetype i = firstRoll; i < rollSet.Rolls.size(); ++i) {
        const TRKRoll& roll = rollSet.Rolls.at(i);
        check(roll.Comment, "roll comment");
        check(roll.CameraType, "camera");
        check(roll.Photographer, "photographer");
    }
    for (qsizetype i = firstFrame; i < rollSet.Frames.size(); ++i)
        check(rollSet.Frames.at(i).Comment, "frame comment");
}

}  // namespace

QString ImportRowProblemText(TImportRowProblem problem)
{
    switch (problem) {
    case TImportRowProblem::NoValidRollNumber: return QStringLiteral("no valid roll number");
    case TImportRowProblem::DuplicateRollNumber: return QStringLiteral("duplicate roll number");
    case TImportRowProblem::RollNumberInDatabase:
        return QStringLiteral("roll number already in the database");
    case TImportRowProblem::None: break;
    }
    return {};
}

QList<TImportRowProblem> CheckImportRule(const QList<TImportRow>& rows,
                                         const std::function<bool(int32_t)>& rollInDatabase)
{
    QHash<int32_t, int> uses;
    for (const TImportRow& row : rows) {
        if (row.RollNumber)
            ++uses[*row.RollNumber];
    }
    QList<TImportRowProblem> problems;
    for (const TImportRow& row : rows) {
        if (!row.RollNumber || *row.RollNumber <= 0)
            problems << TImportRowProblem::NoValidRollNumber;
        else if (uses.value(*row.RollNumber) > 1)
            problems << TImportRowProblem::DuplicateRollNumber;
        else if (rollInDatabase && rollInDatabase(*row.RollNumber))
            problems << TImportRowProblem::RollNumberInDatabase;
        else
            problems << TImportRowProblem::None;
    }
    return problems;
}

QList<TImportRowProblem> CheckImportRule(const QList<TImportRow>& rows, TDatabase& database)
{
    return CheckImportRule(rows, [&database](int32_t number) {
        return database.rolls()
            .lookup(QStringLiteral("RollNumber"), {number}, QStringLiteral("RollNumber"))
            .isValid();
    });
}

bool ImportAllowed(const QList<TImportRowProblem>& problems)
{
    return !problems.isEmpty()
           && std::all_of(problems.cbegin(), problems.cend(),
                          [](TImportRowProblem p) { return p == TImportRowProblem::None; });
}

TRKRollSet ReadImportFiles(const QList<TImportRow>& rows, const QString& photographer)
{
    TRKRollSet rollSet;
    for (const TImportRow& row : rows) {
        const qsizetype rolls = rollSet.Rolls.size();
        const qsizetype frames = rollSet.Frames.size();
        ImportFile(row.FileName, rollSet, row.RollNumber.value_or(-1), photographer);
        checkTextLengths(rollSet, rolls, frames, row.FileName);
    }
    return rollSet;
}

TImportResult ImportFiles(TDatabase& database, const QList<TImportRow>& rows,
                          const QString& photographer,
                          const std::function<void(const QString&, const QString&)>& onProgress)
{
    TImportResult result;
    result.Problems = CheckImportRule(rows, database);
    if (!ImportAllowed(result.Problems))
        return result;
    const TRKRollSet rollSet = ReadImportFiles(rows, photographer);

    TDatabaseAdder adder(database);
    QEventLoop loop;
    adder.OnProgress = onProgress;
    adder.OnMessage = [&result](const QString& message) { result.Message = message; };
    adder.OnDone = [&loop] { loop.quit(); };
    if (!adder.AddRollSet(rollSet, -1, -1))
        return result;
    loop.exec();
    result.Added = adder.LastFailure().isEmpty();
    result.RollsAdded = adder.LastRollsAdded();
    result.FramesAdded = adder.LastFramesAdded();
    if (!result.Added)
        result.Message = adder.LastFailure();
    return result;
}
