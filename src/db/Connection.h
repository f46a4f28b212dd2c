#pragma once

// A named connection to one database file. A connection belongs to one thread at a time:
// it may be opened on one thread and then handed to another that uses it alone (as the
// adder does), never used by two at once. Two connections to the same file coexist: the
// file runs in WAL mode, readers never wait for the writer, and a writer waits up to
// the busy time-out for another.

#include <QString>
#include <QtGlobal>

struct sqlite3;

class TDBConnection
{
public:
    explicit TDBConnection(QString name = QStringLiteral("DB"));
    ~TDBConnection();
    TDBConnection(const TDBConnection&) = delete;
    TDBConnection& operator=(const TDBConnection&) = delete;

    const QString& name() const { return m_name; }

    // Opens an existing file and checks that it holds our schema (an older known schema
    // is upgraded). Throws EDatabaseError and stays closed on failure; a file that is not
    // ours is never modified. Opening an open connection closes it first.
    void open(const QString& fileName);
    void close();
    bool isOpen() const { return m_db != nullptr; }
    const QString& fileName() const { return m_fileName; }

    // Transactions group posts for speed; outside one every post commits on its own.
    void beginTransaction();
    void commit();
    void rollback();
    bool inTransaction() const;

    // For the engine layer and for code that runs its own queries (reports, CLI).
    sqlite3* handle() const { return m_db; }
    // Changes with every open and close, so tables know when their statements are stale.
    quint64 generation() const { return m_generation; }

    static constexpr int kBusyTimeoutMs = 5000;

private:
    QString m_name;
    QString m_fileName;
    sqlite3* m_db = nullptr;
    quint64 m_generation = 0;
};
