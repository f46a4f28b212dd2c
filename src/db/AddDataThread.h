#pragma once

// TAddDataThread writes one roll set into a database in the background: the roll rows
// first, then the frame rows, each camera code turned into its database text. It skips
// what the caller found already stored (FMinR, FMinF), reports "n/m" progress after
// every added row, and stops at the first row the database refuses.
//
// Threads. Create it on the user-interface thread (the thread whose event loop runs
// while it works). The constructor opens the thread's own connection to the tables'
// file, so the adder never shares a connection with the view; after start() only the
// adder's thread uses it. Progress and failure receivers run on the user-interface
// thread while the adder waits for them; OnTerminate runs there after the body has
// ended, always, and then the object deletes itself when asked to free on terminate.
// The user-interface thread must keep running its event loop until then.
//
// Durability. Rows are grouped into short transactions for speed: a group is committed
// when it is older than kCommitInterval, before a failure is reported, and at the end.
// A refused row therefore leaves every row before it stored; a crash loses at most the
// rows of the last kCommitInterval, never a part of a row, and the next download of the
// same data adds exactly those rows again.

#include "db/Connection.h"
#include "db/Table.h"
#include "model/DataStructures.h"

#include <QElapsedTimer>
#include <QString>
#include <QThread>

#include <atomic>
#include <chrono>
#include <functional>
#include <vector>

class TAddDataThread : public QThread
{
    Q_OBJECT

public:
    using TProgressReceiver = std::function<void(const QString& countText, const QString& stageText)>;
    using TFailureReceiver = std::function<void(const QString& message)>;
    using TTerminateReceiver = std::function<void(TAddDataThread& thread)>;

    // Copies the roll set, opens its own connection to the file of the given tables and
    // configures its tables from them (SetRollTable, SetFrameTable). Throws
    // EDatabaseError when that fails; nothing runs then.
    TAddDataThread(bool createSuspended, int32_t FMinR, int32_t FMinF,
                   TTerminateReceiver onTerminate, TProgressReceiver onProgress,
                   const TRKRollSet& rollSet, const TDBTable& frameTable,
                   const TDBTable& rollTable, bool freeOnTerminate);
    ~TAddDataThread() override;

    // Before the start only: "Can't change dataset while adding records" once adding.
    void SetRollTable(const TDBTable& table);
    void SetFrameTable(const TDBTable& table);

    // Receives the failure message on the user-interface thread while the adder waits
    // (the program shows it; the command-line tool prints it). Set before the start.
    void setOnFailure(TFailureReceiver onFailure) { m_onFailure = std::move(onFailure); }

    bool Adding() const { return m_adding.load(); }

    // Read after the body has ended (in OnTerminate, or after wait()).
    const QString& FailureMessage() const { return m_failureMessage; }
    int RollsAdded() const { return m_rollsAdded; }
    int FramesAdded() const { return m_framesAdded; }

    static constexpr std::chrono::milliseconds kCommitInterval{100};

protected:
    void run() override;

private Q_SLOTS:
    void RunPendingCall();

private:
    void Execute();
    void AddRoll(const TRKRoll& roll);
    void AddFrame(const TRKFrame& frame);
    void DoProgress();
    void Fail(const QString& message);
    void BlockingCall(const std::function<void()>& call);
    void CommitIfDue(bool force);
    void configure(TDBTable& own, const TDBTable& given);

    const int32_t FMinR;
    const int32_t FMinF;
    std::atomic<bool> m_adding{false};
    std::atomic<unsigned> m_handoff{0};
    const std::function<void()>* m_pendingCall = nullptr;
    TProgressReceiver OnProgress;
    TTerminateReceiver OnTerminate;
    TFailureReceiver m_onFailure;
    QString ProgressText;
    QString StageText;
    const TRKRollSet RollSet;

    TDBConnection m_connection{QStringLiteral("AddData")};
    TDBTable FrameTable;
    TDBTable RollTable;
    QElapsedTimer m_groupAge;
    std::vector<TDBField> m_frameFields;

    QString m_failureMessage;
    int m_rollsAdded = 0;
    int m_framesAdded = 0;
};
