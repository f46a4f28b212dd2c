#pragma once

// A thin layer over the SQLite C API used by the rest of the database layer: one owned
// prepared statement, and the translation of SQLite result codes into the error kinds
// of DatabaseErrors.h. A statement belongs to the thread that uses its connection.

#include "db/DatabaseErrors.h"

#include <QString>
#include <QVariant>

#include <cstdint>

struct sqlite3;
struct sqlite3_stmt;

// Throws the error kind that matches a failed SQLite call. The message is the context
// (what was being done, may be empty) followed by SQLite's own explanation.
[[noreturn]] void ThrowSqliteError(sqlite3* db, int resultCode, const QString& context = {});

// A table or column name in double quotes, safe to put into SQL.
QString QuoteIdentifier(const QString& name);

// Runs SQL that returns no rows (one or more statements). Throws on failure.
void ExecuteSql(sqlite3* db, const QString& sql);

class TSqlStatement
{
public:
    TSqlStatement(sqlite3* db, const QString& sql);  // throws EDatabaseError on bad SQL
    ~TSqlStatement();
    TSqlStatement(const TSqlStatement&) = delete;
    TSqlStatement& operator=(const TSqlStatement&) = delete;

    // Parameters are 1-based, as in SQLite. A null QVariant binds NULL; integers bind as
    // integers; everything else binds as text.
    void bind(int index, const QVariant& value);
    void bindInteger(int index, int64_t value);
    void bindText(int index, const QString& text);
    void bindNull(int index);

    // Runs one step: true when a row is ready, false when the statement is done.
    // Throws the matching error kind on failure; the statement is reset then.
    bool step();
    void reset();  // ready to run again; bindings stay

    int columnCount() const;
    bool isNull(int column) const;
    int64_t integer(int column) const;
    QString text(int column) const;
    QVariant value(int column) const;  // null, qint64 or QString

private:
    sqlite3* m_db;
    sqlite3_stmt* m_statement = nullptr;
};

// One integer from a query such as "PRAGMA user_version"; 0 when it returns no row.
int64_t QueryInteger(sqlite3* db, const QString& sql);
