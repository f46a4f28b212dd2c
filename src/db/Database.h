#pragma once

// The database objects of one open database file, as a database view owns them: the
// connection DB, the roll table (sorted by RollNumber) and the frame table (sorted by
// RollNumber and FrameNumber, detail of the roll table on RollNumber). The view, the
// command-line tool and the exporter use it the same way. One thread uses it.

#include "db/Connection.h"
#include "db/Table.h"

#include <QString>

class TDatabase
{
public:
    TDatabase();
    ~TDatabase();
    TDatabase(const TDatabase&) = delete;
    TDatabase& operator=(const TDatabase&) = delete;

    // Full path of the database file; set before OpenDatabase.
    QString FileName;

    // False when already open or when no file FileName exists (nothing changes then);
    // true when the connection and both tables are open. Any failure closes everything
    // and throws EDatabaseError whose message is the stage ("Error while opening
    // database connection: ", "... roll table: ", "... frame table: ") followed by the
    // underlying "kind - message".
    bool OpenDatabase();
    // Drops pending edits, closes the frame table, the roll table, the connection.
    void CloseDatabase();
    bool isOpen() const { return m_connection.isOpen(); }

    TDBConnection& connection() { return m_connection; }
    TDBTable& rolls() { return m_rolls; }
    TDBTable& frames() { return m_frames; }

private:
    TDBConnection m_connection{QStringLiteral("DB")};
    TDBTable m_rolls;
    TDBTable m_frames;
};
