#include "DownloadComparison.h"

#include "model/Texts.h"

namespace {

constexpr char kNothingNew[] =
    QT_TRANSLATE_NOOP("Rollkeeper", "There doesn't appear to be any new rolls/frames to add.");
constexpr char kDifferentCamera[] = QT_TRANSLATE_NOOP(
    "Rollkeeper",
    "This appears to be shooting data from a different camera.\r\nPlease create a new "
    "database to store this shooting data in.");

const QString kRollNumber = QStringLiteral("RollNumber");

}  // namespace

QString NothingNewMessage()
{
    return RKText(kNothingNew);
}

QString DifferentCameraMessage()
{
    return RKText(kDifferentCamera);
}

TDownloadComparison CompareDownload(const TRKRollSet& rollSet, TDBTable& rollTable,
                                    TDBTable& frameTable)
{
    TQuietScope quiet(rollTable);
    const TDBBookmark before = rollTable.bookmark();
    TDownloadComparison result;
    const QList<TRKRoll>& rolls = rollSet.Rolls;
    qsizetype i = 0;
    for (; i < rolls.size(); ++i) {
        const int32_t number = rolls.at(i).RollNumber;
        if (!rollTable.locate(kRollNumber, {number})) {
            result.Outcome = TComparisonOutcome::NewData;
            break;
        }
        const int downloaded = CountFramesOfRoll(rollSet, number);
        const int stored = frameTable.rowCount();
        result.FMinR = number;
        result.FMinF = stored + 1;
        if (downloaded < stored) {
            result.Outcome = TComparisonOutcome::DifferentCamera;
            break;
        }
        if (downloaded > stored) {
            result.Outcome = TComparisonOutcome::NewData;
            ++i;
            break;
        }
    }
    if (result.Outcome == TComparisonOutcome::NewData) {
        for (; i < rolls.size(); ++i) {
            if (!rollTable.locate(kRollNumber, {rolls.at(i).RollNumber}))
                continue;
            const bool remainOfCutAdd = result.FMinR != -1 && frameTable.isEmpty();
            if (!remainOfCutAdd) {
                result.Outcome = TComparisonOutcome::DifferentCamera;
                break;
            }
        }
    }
    if (rollTable.bookmarkValid(before))
        rollTable.gotoBookmark(before);
    else
        rollTable.first();
    return result;
}

TDownloadComparison DecideDownload(const TRKRollSet& rollSet, TDBTable& rollTable,
                                   TDBTable& frameTable)
{
    if (rollTable.isEmpty() && frameTable.isEmpty())
        return {TComparisonOutcome::NewData, -1, -1};
    return CompareDownload(rollSet, rollTable, frameTable);
}
