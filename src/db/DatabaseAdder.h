#pragma once

// Adding a roll set to an open database in the background, as the database view does
// it: one add at a time, the adder's progress and failures passed on, and the tables
// reopened when it is done. The view and the command-line tool share it.
//
// Lives on the user-interface thread and needs its event loop running while an add
// runs; every receiver runs on that thread.

#include "db/Database.h"
#include "db/DownloadComparison.h"
#include "model/DataStructures.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class TAddDataThread;

class TDatabaseAdder : public QObject
{
    Q_OBJECT

public:
    explicit TDatabaseAdder(TDatabase& database, QObject* parent = nullptr);
    ~TDatabaseAdder() override;

    // AddProgress: the count text "n/m" and the stage text after every added row.
    std::function<void(const QString& countText, const QString& stageText)> OnProgress;
    // A refused row's message ("Roll insertion failed: ..."); the adder waits for it.
    std::function<void(const QString& message)> OnRowRefused;
    // "Can't add two rollsets at once", "Failed to create thread for adding rollset: ...",
    // or a failure to reopen the tables afterwards.
    std::function<void(const QString& message)> OnMessage;
    // AddDone, after the tables were reopened (the first roll is current again).
    std::function<void()> OnDone;

    bool Adding() const { return m_adding; }

    // Starts the adder with the start point (-1, -1: everything). Returns false, after
    // OnMessage, when an add runs already or the adder cannot be created.
    bool AddRollSet(const TRKRollSet& rollSet, int32_t FMinR, int32_t FMinF);

    // What the last add did; read in OnDone.
    const QString& LastFailure() const { return m_lastFailure; }
    int LastRollsAdded() const { return m_lastRolls; }
    int LastFramesAdded() const { return m_lastFrames; }

private:
    void AddDone(int rolls, int frames, const QString& failure);

    TDatabase& m_database;
    std::unique_ptr<TAddDataThread> m_thread;
    bool m_adding = false;
    QString m_lastFailure;
    int m_lastRolls = 0;
    int m_lastFrames = 0;
};

// A whole download into an open database, synchronously (the caller's event loop runs
// until the adder is done): the decision of DecideDownload, then the add.
struct TDownloadIntoDatabaseResult
{
    TComparisonOutcome Outcome = TComparisonOutcome::NothingNew;
    QString Message;   // the outcome's message, or the refused row's; empty on success
    bool RowRefused = false;
    bool AddFailed = false;  // the adder could not start; Message says why
    int RollsAdded = 0;
    int FramesAdded = 0;
};

TDownloadIntoDatabaseResult AddDownload(
    TDatabase& database, const TRKRollSet& rollSet,
    const std::function<void(const QString& countText, const QString& stageText)>& onProgress = {});

// The same for a database file: opens it, creating a new one first when asked and it
// does not exist. Throws EDatabaseError when the file cannot be created or opened.
TDownloadIntoDatabaseResult DownloadIntoDatabase(
    const TRKRollSet& rollSet, const QString& fileName, bool create,
    const std::function<void(const QString& countText, const QString& stageText)>& onProgress = {});
