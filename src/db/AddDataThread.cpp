#include "AddDataThread.h"

#include "db/DatabaseErrors.h"
#include "model/ColumnTexts.h"
#include "model/Texts.h"

#include <QMetaObject>

namespace {

constexpr char kAddingRolls[] = QT_TRANSLATE_NOOP("Rollkeeper", "Adding rolls to database");
constexpr char kAddingFrames[] = QT_TRANSLATE_NOOP("Rollkeeper", "Adding frames to database");

const QString kRollNumber = QStringLiteral("RollNumber");

}  // namespace

TAddDataThread::TAddDataThread(bool createSuspended, int32_t FMinR, int32_t FMinF,
                               TTerminateReceiver onTerminate, TProgressReceiver onProgress,
                               const TRKRollSet& rollSet, const TDBTable& frameTable,
                               const TDBTable& rollTable, bool freeOnTerminate)
    : FMinR(FMinR)
    , FMinF(FMinF)
    , OnProgress(std::move(onProgress))
    , OnTerminate(std::move(onTerminate))
    , RollSet(rollSet)
{
    SetRollTable(rollTable);
    SetFrameTable(frameTable);

    // finished is sent from the adder's thread; this object lives on the user-interface
    // thread, so the handler runs there, after the body.
    connect(this, &QThread::finished, this, [this, freeOnTerminate] {
        wait();
        m_handoff.load(std::memory_order_acquire);
        if (OnTerminate)
            OnTerminate(*this);
        if (freeOnTerminate)
            deleteLater();
    });
    if (!createSuspended)
        start();
}

TAddDataThread::~TAddDataThread()
{
    wait();
}

void TAddDataThread::SetRollTable(const TDBTable& table)
{
    configure(RollTable, table);
}

void TAddDataThread::SetFrameTable(const TDBTable& table)
{
    configure(FrameTable, table);
}

// Takes the table's file, name and sort order, not its master: the adder's frame table
// spans all frames. Insert-only, so nothing of a large archive is read.
void TAddDataThread::configure(TDBTable& own, const TDBTable& given)
{
    if (m_adding)
        throw EDatabaseError(QStringLiteral("Can't change dataset while adding records"));
    if (!given.connection() || !given.connection()->isOpen())
        throw EDatabaseError(QStringLiteral("Table %1 has no open connection").arg(given.tableName()));
    const QString& file = given.connection()->fileName();
    own.close();
    if (!m_connection.isOpen() || m_connection.fileName() != file) {
        FrameTable.close();
        RollTable.close();
        m_connection.open(file);
    }
    own.setConnection(&m_connection);
    own.setTableName(given.tableName());
    own.setSort(given.sort());
    own.setOpenMode(TDBOpenMode::InsertOnly);
    own.open();
}

void TAddDataThread::run()
{
    m_adding = true;
    try {
        Execute();
        CommitIfDue(true);
    } catch (const ERKError& error) {
        // Not a refused row (those end the stages) but the database itself failing, for
        // example a full disk; what was committed stays.
        Fail(QStringLiteral("Adding failed: ") + error.describe());
    }
    FrameTable.close();
    RollTable.close();
    if (m_connection.inTransaction()) {
        try {
            m_connection.rollback();
        } catch (const ERKError&) {
        }
    }
    m_connection.close();
    m_handoff.fetch_add(1, std::memory_order_release);
}

void TAddDataThread::Execute()
{
    StageText = RKText(kAddingRolls);
    bool rollFailed = false;
    const auto rollCount = RollSet.Rolls.size();
    for (qsizetype i = 0; i < rollCount && !rollFailed; ++i) {
        if (isInterruptionRequested())
            return;
        const TRKRoll& roll = RollSet.Rolls.at(i);
        if (roll.RollNumber < FMinR)
            continue;
        // The roll at the start point is often stored already, with part of its frames.
        // Rolls after it are too when an earlier add of this data was cut short (a crash,
        // a refused frame); their missing frames are added below.
        if (FMinR != -1 && RollTable.locate(kRollNumber, {roll.RollNumber}))
            continue;
        try {
            AddRoll(roll);
        } catch (const ERKError& error) {
            RollTable.cancel();
            Fail(QStringLiteral("Roll insertion failed: ") + QStringLiteral(" FMinR: %1 FMinF: %2 CrashR: %3\r\n")
                                                               .arg(FMinR)
                                                               .arg(FMinF)
                                                               .arg(roll.RollNumber)
                 + error.describe());
            rollFailed = true;
            break;
        }
        ProgressText = QStringLiteral("%1/%2").arg(i + 1).arg(rollCount);
        DoProgress();
    }

    StageText = RKText(kAddingFrames);
    const auto frameCount = RollSet.Frames.size();
    for (qsizetype i = 0; i < frameCount; ++i) {
        if (isInterruptionRequested() || rollFailed)
            return;
        const TRKFrame& frame = RollSet.Frames.at(i);
        if (frame.RollNumber < FMinR || (frame.RollNumber == FMinR && frame.FrameNumber < FMinF))
            continue;
        try {
            AddFrame(frame);
        } catch (const ERKError& error) {
            FrameTable.cancel();
            Fail(QStringLiteral("Frame insertion failed: ")
                 + QStringLiteral(" FMinR: %1 FMinF: %2 CrashR: %3 CrashF: %4\r\n")
                       .arg(FMinR)
                       .arg(FMinF)
                       .arg(frame.RollNumber)
                       .arg(frame.FrameNumber)
                 + error.describe());
            return;
        }
        ProgressText = QStringLiteral("%1/%2").arg(i + 1).arg(frameCount);
        DoProgress();
    }
}

void TAddDataThread::AddRoll(const TRKRoll& roll)
{
    CommitIfDue(false);
    RollTable.insert();
    RollTable.field(kRollNumber).setInteger(roll.RollNumber);
    RollTable.field(QStringLiteral("Photographer")).setString(roll.Photographer);
    RollTable.field(QStringLiteral("CameraType")).setString(roll.CameraType);
    RollTable.field(QStringLiteral("ISO")).setString(RollISOText(roll));
    RollTable.field(QStringLiteral("Comment")).setString(roll.Comment);
    RollTable.field(QStringLiteral("Date")).setDateTime(roll.Date);
    RollTable.post();
    ++m_rollsAdded;
}

void TAddDataThread::AddFrame(const TRKFrame& frame)
{
    // Looked up once: a field stays valid for every row of the open table.
    static const QStringList names{
        kRollNumber, QStringLiteral("FrameNumber"), QStringLiteral("ShutterSpeed"),
        QStringLiteral("Aperture"), QStringLiteral("Lens"), QStringLiteral("Focal"),
        QStringLiteral("MaxAperture"), QStringLiteral("ExposureMode"), QStringLiteral("MeterMode"),
        QStringLiteral("ExposureValueDiff"), QStringLiteral("ExposureComp"),
        QStringLiteral("FlashType"), QStringLiteral("FlashMode"), QStringLiteral("FlashComp"),
        QStringLiteral("Date"), QStringLiteral("Comment"), QStringLiteral("PictureFileName")};
    if (m_frameFields.empty()) {
        for (const QString& name : names)
            m_frameFields.push_back(FrameTable.field(name));
    }
    const TFrameColumnTexts texts = FrameColumnTexts(frame);
    CommitIfDue(false);
    FrameTable.insert();
    int i = 0;
    m_frameFields[i++].setInteger(frame.RollNumber);
    m_frameFields[i++].setInteger(frame.FrameNumber);
    for (const QString* text :
         {&texts.ShutterSpeed, &texts.Aperture, &texts.Lens, &texts.Focal, &texts.MaxAperture,
          &texts.ExposureMode, &texts.MeterMode, &texts.ExposureValueDiff, &texts.ExposureComp,
          &texts.FlashType, &texts.FlashMode, &texts.FlashComp})
        m_frameFields[i++].setString(*text);
    m_frameFields[i++].setDateTime(frame.Date);
    m_frameFields[i++].setString(frame.Comment);
    m_frameFields[i++].setString(QString());
    FrameTable.post();
    ++m_framesAdded;
}

void TAddDataThread::CommitIfDue(bool force)
{
    if (m_connection.inTransaction() && (force || m_groupAge.hasExpired(kCommitInterval.count())))
        m_connection.commit();
    if (!force && !m_connection.inTransaction()) {
        m_connection.beginTransaction();
        m_groupAge.start();
    }
}

void TAddDataThread::DoProgress()
{
    if (!OnProgress)
        return;
    BlockingCall([this] { OnProgress(ProgressText, StageText); });
}

void TAddDataThread::Fail(const QString& message)
{
    // The rows before the refused one are posted; make them durable before anyone is
    // told, so they stay whatever happens while the message is shown.
    try {
        CommitIfDue(true);
    } catch (const ERKError&) {
    }
    m_failureMessage = message;
    if (m_onFailure)
        BlockingCall([this] { m_onFailure(m_failureMessage); });
}

// Runs the call on the user-interface thread (where this object lives) while the adder
// waits. The atomic marks the hand-over both ways in a form that ThreadSanitizer
// follows; Qt's own wait is built on primitives it cannot see.
void TAddDataThread::BlockingCall(const std::function<void()>& call)
{
    m_pendingCall = &call;
    m_handoff.fetch_add(1, std::memory_order_release);
    // By name, so that nothing the adder's thread frees afterwards was touched by the
    // user-interface thread.
    QMetaObject::invokeMethod(this, "RunPendingCall", Qt::BlockingQueuedConnection);
    m_handoff.load(std::memory_order_acquire);
}

void TAddDataThread::RunPendingCall()
{
    m_handoff.load(std::memory_order_acquire);
    (*m_pendingCall)();
    m_handoff.fetch_add(1, std::memory_order_release);
}
