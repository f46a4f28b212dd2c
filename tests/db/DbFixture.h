#pragma once

// A fresh database file opened as a view opens it: connection DB, the roll table sorted
// by RollNumber and the frame table as its detail.

#include "db/Connection.h"
#include "db/Database.h"
#include "db/DatabaseErrors.h"
#include "db/Schema.h"
#include "db/Table.h"

#include "TestSupport.h"

#include <QVariant>

#include <initializer_list>

class DbFixture
{
public:
    DbFixture()
    {
        CreateDatabaseFile(kNativeDatabaseFormat, file());
        database.FileName = file();
        database.OpenDatabase();
    }

    QString file() const { return dir.path(QStringLiteral("archive.rkdb")); }

    void addRoll(int number, const QString& comment = {})
    {
        rolls.insert();
        rolls.field(QStringLiteral("RollNumber")).setInteger(number);
        rolls.field(QStringLiteral("Comment")).setString(comment);
        rolls.post();
    }

    // Frames 1..count of a roll that must exist; the roll table ends on that roll.
    void addFrames(int roll, int count)
    {
        if (!rolls.locate(QStringLiteral("RollNumber"), {roll}))
            throw EDatabaseError(QStringLiteral("no roll"));
        for (int frame = 1; frame <= count; ++frame) {
            frames.insert();
            frames.field(QStringLiteral("FrameNumber")).setInteger(frame);
            frames.post();
        }
    }

    rktest::TempDir dir;
    TDatabase database;
    TDBConnection& connection = database.connection();
    TDBTable& rolls = database.rolls();
    TDBTable& frames = database.frames();
};
