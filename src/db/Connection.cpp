#include "Connection.h"

#include "db/Schema.h"
#include "db/Sqlite.h"

#include <QFileInfo>

#include <sqlite3.h>

TDBConnection::TDBConnection(QString name) : m_name(std::move(name)) {}

TDBConnection::~TDBConnection()
{
    close();
}

void TDBConnection::open(const QString& fileName)
{
    close();
    // SQLite would create a missing file; a connection only opens what exists.
    if (!QFileInfo(fileName).isFile())
        throw EDatabaseError(QStringLiteral("The file %1 does not exist").arg(fileName));

    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(fileName.toUtf8().constData(), &db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX
                                       | SQLITE_OPEN_EXRESCODE,
                                   nullptr);
    try {
        if (rc != SQLITE_OK)
            ThrowSqliteError(db, rc);
        sqlite3_extended_result_codes(db, 1);
        sqlite3_busy_timeout(db, kBusyTimeoutMs);
        ExecuteSql(db, QStringLiteral("PRAGMA foreign_keys = ON"));
        CheckSchema(db);
        // Only now that the file is known to be ours may its header change.
        ExecuteSql(db, QStringLiteral("PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL"));
    } catch (const EDatabaseError& error) {
        sqlite3_close_v2(db);
        throw EDatabaseError(QStringLiteral("Can't open %1: %2").arg(fileName, error.message()));
    }
    m_db = db;
    m_fileName = fileName;
    ++m_generation;
}

void TDBConnection::close()
{
    if (!m_db)
        return;
    // close_v2 defers the close until statements still held by tables are finalised.
    sqlite3_close_v2(m_db);
    m_db = nullptr;
    ++m_generation;
}

void TDBConnection::beginTransaction()
{
    // IMMEDIATE takes the write lock now, so a busy database fails here (after the
    // time-out) and not halfway through the rows.
    ExecuteSql(m_db, QStringLiteral("BEGIN IMMEDIATE"));
}

void TDBConnection::commit()
{
    ExecuteSql(m_db, QStringLiteral("COMMIT"));
}

void TDBConnection::rollback()
{
    ExecuteSql(m_db, QStringLiteral("ROLLBACK"));
}

bool TDBConnection::inTransaction() const
{
    return m_db && sqlite3_get_autocommit(m_db) == 0;
}
