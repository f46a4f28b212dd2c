#pragma once

// A fresh database file with the view's objects on it: connection DB, the roll table
// sorted by RollNumber and the frame table as its detail.

#include "db/Connection.h"
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
        connection.open(file());
        rolls.setConnection(&connection);
        rolls.setTableName(QStringLiteral("Rolls"));
        rolls.setSort(QStringLiteral("RollNumber"));
        frames.setConnection(&connection);
        frames.setTableName(QStringLiteral("Frames"));
        frames.setSort(QStringLiteral("RollNumber;FrameNumber"));
        frames.setMaster(&rolls, QStringLiteral("RollNumber"));
        rolls.open();
        frames.open();
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
    TDBConnection connection;
    TDBTable rolls;
    TDBTable frames;
};
