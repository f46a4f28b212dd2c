#include "DatabaseAdder.h"

#include "db/AddDataThread.h"
#include "db/DatabaseErrors.h"
#include "db/Schema.h"

#include <QEventLoop>
#include <QFileInfo>

TDatabaseAdder::TDatabaseAdder(TDatabase& database, QObject* parent)
    : QObject(parent), m_database(database)
{
}

TDatabaseAdder::~TDatabaseAdder() = default;

bool TDatabaseAdder::AddRollSet(const TRKRollSet& rollSet, int32_t FMinR, int32_t FMinF)
{
    if (m_adding) {
        if (OnMessage)
            OnMessage(QStringLiteral("Can't add two rollsets at once"));
        return false;
    }
    m_adding = true;
    // The previous adder may be the one whose completion handler is running right now.
    if (m_thread)
        m_thread.release()->deleteLater();
    try {
        m_thread = std::make_unique<TAddDataThread>(
            true, FMinR, FMinF,
            [this](TAddDataThread& done) {
                AddDone(done.RollsAdded(), done.FramesAdded(), done.FailureMessage());
            },
            OnProgress, rollSet, m_database.frames(), m_database.rolls(), false);
        m_thread->setOnFailure(OnRowRefused);
        m_thread->start();
    } catch (const ERKError& error) {
        m_adding = false;
        if (OnMessage)
            OnMessage(QStringLiteral("Failed to create thread for adding rollset: ") + error.describe());
        return false;
    }
    return true;
}

void TDatabaseAdder::AddDone(int rolls, int frames, const QString& failure)
{
    m_adding = false;
    m_lastRolls = rolls;
    m_lastFrames = frames;
    m_lastFailure = failure;
    // Reopened so that the rows the adder's connection wrote appear.
    try {
        m_database.frames().close();
        m_database.rolls().close();
        m_database.rolls().open();
        m_database.frames().open();
    } catch (const ERKError& error) {
        if (OnMessage)
            OnMessage(error.describe());
    }
    if (OnDone)
        OnDone();
}

TDownloadIntoDatabaseResult AddDownload(
    TDatabase& database, const TRKRollSet& rollSet,
    const std::function<void(const QString&, const QString&)>& onProgress)
{
    TDownloadIntoDatabaseResult result;
    const TDownloadComparison decision =
        DecideDownload(rollSet, database.rolls(), database.frames());
    result.Outcome = decision.Outcome;
    if (decision.Outcome == TComparisonOutcome::NothingNew) {
        result.Message = NothingNewMessage();
        return result;
    }
    if (decision.Outcome == TComparisonOutcome::DifferentCamera) {
        result.Message = DifferentCameraMessage();
        return result;
    }

    TDatabaseAdder adder(database);
    QEventLoop loop;
    adder.OnProgress = onProgress;
    adder.OnMessage = [&result](const QString& message) { result.Message = message; };
    adder.OnDone = [&loop] { loop.quit(); };
    if (!adder.AddRollSet(rollSet, decision.FMinR, decision.FMinF)) {
        result.AddFailed = true;
        return result;
    }
    loop.exec();
    result.RollsAdded = adder.LastRollsAdded();
    result.FramesAdded = adder.LastFramesAdded();
    if (!adder.LastFailure().isEmpty()) {
        result.Message = adder.LastFailure();
        result.RowRefused = true;
    }
    return result;
}

TDownloadIntoDatabaseResult DownloadIntoDatabase(
    const TRKRollSet& rollSet, const QString& fileName, bool create,
    const std::function<void(const QString&, const QString&)>& onProgress)
{
    if (create && !QFileInfo::exists(fileName))
        CreateDatabaseFile(kNativeDatabaseFormat, fileName);
    TDatabase database;
    database.FileName = fileName;
    if (!database.OpenDatabase())
        throw EDatabaseError(QStringLiteral("The file %1 does not exist").arg(fileName));
    return AddDownload(database, rollSet, onProgress);
}
