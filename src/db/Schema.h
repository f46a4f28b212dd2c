#pragma once

// The schema of a Rollkeeper database (.rkdb, an SQLite file), held in the program:
// tables Rolls and Frames with their columns in order, keys, indexes and the
// relationship Rollsframes, versioned with PRAGMA user_version. Creating a file, checking
// that a file is ours (and upgrading an older schema), and the start-up engine test.
//
// All functions may be called from any thread with their own sqlite3 handle.

#include <QList>
#include <QString>

struct sqlite3;

inline constexpr int kSchemaVersion = 1;

// The native file format; any other format code is refused.
inline constexpr int kNativeDatabaseFormat = 0;

enum class TColumnKind { Integer, Text, Date };

struct TColumnDef
{
    QString Name;
    TColumnKind Kind;
    bool Required;
};

struct TTableDef
{
    QString Name;
    QList<TColumnDef> Columns;  // in the documented order
};

// Rolls, then Frames.
const QList<TTableDef>& DatabaseTables();
const TTableDef* FindTableDef(const QString& tableName);

// The whole schema as SQL, as "sqlite3 FILE .schema" shows it.
QString SchemaSql();

// Writes a new, empty database of the given format to the file, replacing an existing
// file's whole content (its WAL files too). The new file appears atomically: a failure
// leaves any old file as it was. Throws EDatabaseError ("Unknown database type" for a
// format code other than kNativeDatabaseFormat; file system failures with their reason).
void CreateDatabaseFile(int formatCode, const QString& fileName);

// Checks that an open connection holds our schema, upgrading a known older version in
// one transaction. Throws EDatabaseError when it is not ours; the file is then untouched.
void CheckSchema(sqlite3* db);

// The start-up test of the database engine: the SQLite library is recent enough, and
// it can create the schema (in memory).
enum class TEngineTestResult { Ok, NothingWorks, LibraryTooOld, SchemaFails };
TEngineTestResult EngineTest();
QString EngineTestMessage(TEngineTestResult result);  // empty for Ok

// The oldest SQLite library the schema and the engine layer work with.
inline constexpr int kMinimumSqliteVersion = 3035000;
