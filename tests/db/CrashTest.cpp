#include "db/Database.h"
#include "db/Schema.h"
#include "db/Sqlite.h"

#include "TestSupport.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <random>

namespace {

constexpr int kFrames = 10000;
constexpr int kRolls = 278;  // 277 rolls of 36 frames and one of 28

struct Stored
{
    QString integrity;
    int64_t rolls = 0;
    int64_t frames = 0;
    int64_t incompleteFrames = 0;
};

Stored inspect(const QString& file)
{
    TDBConnection connection;
    connection.open(file);
    sqlite3* db = connection.handle();
    TSqlStatement integrity(db, QStringLiteral("PRAGMA integrity_check"));
    Stored stored;
    stored.integrity = integrity.step() ? integrity.text(0) : QString();
    stored.rolls = QueryInteger(db, QStringLiteral("SELECT count(*) FROM Rolls"));
    stored.frames = QueryInteger(db, QStringLiteral("SELECT count(*) FROM Frames"));
    // Every frame the adder writes has all of its texts and an empty picture path.
    stored.incompleteFrames = QueryInteger(
        db, QStringLiteral("SELECT count(*) FROM Frames WHERE ShutterSpeed IS NULL OR Aperture IS NULL "
                           "OR FlashType IS NULL OR Focal IS NULL OR PictureFileName IS NOT ''"));
    return stored;
}

// The child adds the fixed roll set; it is killed after `killAfter` progress lines, or
// runs to its end when killAfter is 0. Returns the child's last line.
QString runChild(const QString& file, int killAfter)
{
    QProcess child;
    child.start(rktest::binaryPath(QStringLiteral("tests/db/db_crash_child")), {file});
    EXPECT_TRUE(child.waitForStarted(5000));
    QByteArray output;
    int lines = 0;
    while (child.state() == QProcess::Running) {
        child.waitForReadyRead(5000);
        const QByteArray chunk = child.readAllStandardOutput();
        lines += static_cast<int>(chunk.count('\n'));
        output += chunk;
        if (killAfter > 0 && lines >= killAfter) {
            child.kill();  // SIGKILL: no handler, no flush, no cleanup in the child
            break;
        }
    }
    child.waitForFinished(5000);
    output += child.readAllStandardOutput();
    const QList<QByteArray> all = output.trimmed().split('\n');
    return QString::fromLocal8Bit(all.isEmpty() ? QByteArray() : all.last());
}

TEST(AdderCrash, KilledAddsLeaveAWholeDatabaseThatTheNextDownloadCompletes)
{
    rktest::TempDir dir;
    const QString file = dir.path(QStringLiteral("crash.rkdb"));
    CreateDatabaseFile(kNativeDatabaseFormat, file);
    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> moment(1, kRolls + kFrames - 1);

    for (int kill = 0; kill < 10; ++kill) {
        const int at = moment(random);
        SCOPED_TRACE(at);
        runChild(file, at);
        const Stored stored = inspect(file);
        ASSERT_EQ(stored.integrity, QStringLiteral("ok"));
        ASSERT_EQ(stored.incompleteFrames, 0);
        ASSERT_LE(stored.frames, kFrames);
    }

    const Stored before = inspect(file);
    const QString last = runChild(file, 0);
    const Stored after = inspect(file);
    EXPECT_EQ(after.integrity, QStringLiteral("ok"));
    EXPECT_EQ(after.rolls, kRolls);
    EXPECT_EQ(after.frames, kFrames);
    if (before.frames < kFrames)
        EXPECT_EQ(last, QStringLiteral("added %1 %2 ").arg(kRolls - before.rolls).arg(kFrames - before.frames));
    else
        EXPECT_TRUE(last.contains(QLatin1String("There doesn't appear"))) << qPrintable(last);
}

}  // namespace
