#pragma once

// Roll sets as a camera would deliver them, and a way to run the adder to its end.

#include "db/AddDataThread.h"
#include "db/Database.h"
#include "db/Schema.h"
#include "model/DataStructures.h"

#include <QEventLoop>

#include <initializer_list>
#include <memory>
#include <utility>

// Rolls with frames 1..n each, in the given order; simple records with varied codes.
inline TRKRollSet MakeRollSet(std::initializer_list<std::pair<int, int>> rollsAndFrameCounts)
{
    TRKRollSet set;
    for (const auto& [roll, frames] : rollsAndFrameCounts) {
        TRKRoll r;
        r.RollNumber = roll;
        r.ISO = 13;
        r.CameraType = QStringLiteral("F100");
        r.Date = QDateTime(QDate(2004, 7, 9), QTime(17, 45));
        set.Rolls.append(r);
        for (int frame = 1; frame <= frames; ++frame) {
            TRKFrame f;
            f.RollNumber = roll;
            f.FrameNumber = static_cast<uint8_t>(frame);
            f.ShutterSpeed = static_cast<uint8_t>(30 + frame % 40);
            f.Aperture = static_cast<uint8_t>(frame % 60);
            f.Focal = 80;
            f.FlashType = 1;
            set.Frames.append(f);
        }
    }
    return set;
}

// A new database file opened as a view opens it.
struct TestDatabase
{
    explicit TestDatabase(const QString& file)
    {
        CreateDatabaseFile(kNativeDatabaseFormat, file);
        database.FileName = file;
        database.OpenDatabase();
    }
    TDatabase database;
};

// What one adder run reported to the user-interface thread.
struct AdderRun
{
    QStringList progress;  // "stage|n/m"
    QString failure;
    bool terminated = false;
    int rolls = 0;
    int frames = 0;
};

// Runs an adder on the database's tables until its completion handler has run.
inline AdderRun RunAdder(TDatabase& database, const TRKRollSet& set, int FMinR, int FMinF)
{
    AdderRun run;
    QEventLoop loop;
    auto thread = std::make_unique<TAddDataThread>(
        true, FMinR, FMinF,
        [&](TAddDataThread& done) {
            run.terminated = true;
            run.rolls = done.RollsAdded();
            run.frames = done.FramesAdded();
            loop.quit();
        },
        [&](const QString& count, const QString& stage) { run.progress << stage + QLatin1Char('|') + count; },
        set, database.frames(), database.rolls(), false);
    thread->setOnFailure([&](const QString& message) { run.failure = message; });
    thread->start();
    loop.exec();
    thread.reset();
    database.frames().close();
    database.rolls().close();
    database.rolls().open();
    database.frames().open();
    return run;
}
