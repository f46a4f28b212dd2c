#include "Schema.h"

#include "db/Sqlite.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <system_error>

namespace {

const QString kDownloadAddress = QStringLiteral("https://www.sqlite.org/download.html");

TColumnDef integer(const char* name)
{
    return {QString::fromLatin1(name), TColumnKind::Integer, true};
}

TColumnDef text(const char* name)
{
    return {QString::fromLatin1(name), TColumnKind::Text, false};
}

TColumnDef date()
{
    return {QStringLiteral("Date"), TColumnKind::Date, false};
}

// The CHECK constraints carry readable names: SQLite puts the name into its message,
// so a refused value explains itself here and in any other SQLite tool.
QString columnSql(const TColumnDef& column)
{
    const QString name = QuoteIdentifier(column.Name);
    switch (column.Kind) {
    case TColumnKind::Integer:
        return QStringLiteral("%1 INTEGER NOT NULL CONSTRAINT %2 CHECK(typeof(%1) = 'integer' "
                              "AND %1 BETWEEN -2147483648 AND 2147483647)")
            .arg(name, QuoteIdentifier(column.Name + QStringLiteral(" must be a 32-bit whole number")));
    case TColumnKind::Text:
        return QStringLiteral("%1 TEXT CONSTRAINT %2 CHECK(length(%1) <= 255)")
            .arg(name, QuoteIdentifier(column.Name + QStringLiteral(" is longer than 255 characters")));
    case TColumnKind::Date:
        return QStringLiteral("%1 TEXT CONSTRAINT %2 CHECK(%1 IS NULL OR (typeof(%1) = 'text' "
                              "AND %1 GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]' "
                              "AND date(%1) = %1))")
            .arg(name, QuoteIdentifier(column.Name + QStringLiteral(" must be a day YYYY-MM-DD")));
    }
    return {};
}

// Steps from an older schema version to the next one, applied in order inside one
// transaction when such a file is opened. Version 1 is the first; none exist yet.
struct TSchemaUpgrade
{
    int FromVersion;
    const char* Sql;
};
constexpr TSchemaUpgrade kUpgrades[] = {{0, nullptr}};

struct TSqliteCloser
{
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using TSqliteHandle = std::unique_ptr<sqlite3, TSqliteCloser>;

TSqliteHandle openNew(const QString& fileName)
{
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(fileName.toUtf8().constData(), &raw,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    TSqliteHandle db(raw);
    if (rc != SQLITE_OK)
        ThrowSqliteError(db.get(), rc);
    return db;
}

void createSchema(sqlite3* db)
{
    ExecuteSql(db, QStringLiteral("BEGIN;") + SchemaSql()
                       + QStringLiteral("PRAGMA user_version = %1;COMMIT;").arg(kSchemaVersion));
}

void checkColumns(sqlite3* db, const TTableDef& table)
{
    TSqlStatement info(db, QStringLiteral("PRAGMA table_info(%1)").arg(QuoteIdentifier(table.Name)));
    qsizetype index = 0;
    while (info.step()) {
        if (index < table.Columns.size() && info.text(1) != table.Columns.at(index).Name)
            break;
        ++index;
    }
    if (index == 0)
        throw EDatabaseError(QStringLiteral("It is not a Rollkeeper database: table %1 is missing")
                                 .arg(table.Name));
    if (index != table.Columns.size())
        throw EDatabaseError(
            QStringLiteral("It is not a Rollkeeper database: the columns of table %1 differ")
                .arg(table.Name));
}

}  // namespace

const QList<TTableDef>& DatabaseTables()
{
    static const QList<TTableDef> tables{
        {QStringLiteral("Rolls"),
         {integer("RollNumber"), text("Photographer"), text("CameraType"), text("ISO"),
          text("Comment"), date()}},
        {QStringLiteral("Frames"),
         {integer("RollNumber"), integer("FrameNumber"), text("ShutterSpeed"), text("Aperture"),
          text("Lens"), text("Focal"), text("MaxAperture"), text("ExposureMode"),
          text("MeterMode"), text("ExposureValueDiff"), text("ExposureComp"), text("FlashType"),
          text("FlashMode"), text("FlashComp"), date(), text("Comment"),
          text("PictureFileName")}},
    };
    return tables;
}

const TTableDef* FindTableDef(const QString& tableName)
{
    for (const TTableDef& table : DatabaseTables()) {
        if (table.Name == tableName)
            return &table;
    }
    return nullptr;
}

QString SchemaSql()
{
    QString sql;
    for (const TTableDef& table : DatabaseTables()) {
        QStringList lines;
        for (const TColumnDef& column : table.Columns)
            lines << QStringLiteral("  ") + columnSql(column);
        if (table.Name == QLatin1String("Rolls")) {
            lines << QStringLiteral("  CONSTRAINT \"PrimaryKey\" PRIMARY KEY (\"RollNumber\")");
        } else {
            lines << QStringLiteral(
                "  CONSTRAINT \"PrimaryKey\" PRIMARY KEY (\"RollNumber\", \"FrameNumber\")");
            // No cascades: a roll with frames can neither be renumbered nor removed.
            lines << QStringLiteral("  CONSTRAINT \"Rollsframes\" FOREIGN KEY (\"RollNumber\") "
                                    "REFERENCES \"Rolls\" (\"RollNumber\")");
        }
        // Without a rowid the primary key is the table itself, and NOT NULL holds for it
        // (an INTEGER PRIMARY KEY with a rowid would turn a missing number into a new one).
        sql += QStringLiteral("CREATE TABLE %1 (\n%2\n) WITHOUT ROWID;\n")
                   .arg(QuoteIdentifier(table.Name), lines.join(QStringLiteral(",\n")));
    }
    sql += QStringLiteral("CREATE INDEX \"FrameNumber\" ON \"Frames\" (\"FrameNumber\");\n"
                          "CREATE INDEX \"RollNumber\" ON \"Frames\" (\"RollNumber\");\n");
    return sql;
}

void CreateDatabaseFile(int formatCode, const QString& fileName)
{
    if (formatCode != kNativeDatabaseFormat)
        throw EDatabaseError(QStringLiteral("Unknown database type"));

    // Build the file beside its final place, then move it over in one step, so the old
    // content stays whole until the new one is complete.
    const QFileInfo target(fileName);
    QTemporaryFile temporary(target.absoluteFilePath() + QStringLiteral(".new-XXXXXX"));
    if (!temporary.open())
        throw EDatabaseError(QStringLiteral("Can't create %1: %2")
                                 .arg(fileName, temporary.errorString()));
    temporary.close();
    {
        TSqliteHandle db = openNew(temporary.fileName());
        createSchema(db.get());
    }

    // A stale write-ahead log of the replaced file would be replayed onto the new one.
    for (const char* suffix : {"-wal", "-shm"})
        QFile::remove(target.absoluteFilePath() + QLatin1String(suffix));

    std::error_code error;
    std::filesystem::rename(std::filesystem::path(temporary.fileName().toStdU16String()),
                            std::filesystem::path(target.absoluteFilePath().toStdU16String()),
                            error);
    if (error)
        throw EDatabaseError(QStringLiteral("Can't create %1: %2")
                                 .arg(fileName, QString::fromLocal8Bit(error.message())));
    temporary.setAutoRemove(false);
}

void CheckSchema(sqlite3* db)
{
    // Reading is all that happens until the file is known to be ours.
    const int version = static_cast<int>(QueryInteger(db, QStringLiteral("PRAGMA user_version")));
    if (version > kSchemaVersion)
        throw EDatabaseError(
            QStringLiteral("It was made by a newer version of Rollkeeper (schema version %1)")
                .arg(version));
    if (version < kSchemaVersion) {
        bool known = false;
        for (const TSchemaUpgrade& upgrade : kUpgrades)
            known = known || (upgrade.Sql && upgrade.FromVersion == version);
        if (!known)
            throw EDatabaseError(QStringLiteral("It is not a Rollkeeper database"));
    }
    for (const TTableDef& table : DatabaseTables())
        checkColumns(db, table);

    if (version < kSchemaVersion) {
        ExecuteSql(db, QStringLiteral("BEGIN IMMEDIATE"));
        try {
            for (const TSchemaUpgrade& upgrade : kUpgrades) {
                if (upgrade.Sql && upgrade.FromVersion >= version)
                    ExecuteSql(db, QString::fromUtf8(upgrade.Sql));
            }
            ExecuteSql(db, QStringLiteral("PRAGMA user_version = %1; COMMIT").arg(kSchemaVersion));
        } catch (...) {
            ExecuteSql(db, QStringLiteral("ROLLBACK"));
            throw;
        }
    }
}

TEngineTestResult EngineTest()
{
    const bool recent = sqlite3_libversion_number() >= kMinimumSqliteVersion;
    bool schemaWorks = true;
    try {
        TSqliteHandle db = openNew(QStringLiteral(":memory:"));
        createSchema(db.get());
        CheckSchema(db.get());
    } catch (const EDatabaseError&) {
        schemaWorks = false;
    }
    if (recent && schemaWorks)
        return TEngineTestResult::Ok;
    if (!recent && !schemaWorks)
        return TEngineTestResult::NothingWorks;
    return recent ? TEngineTestResult::SchemaFails : TEngineTestResult::LibraryTooOld;
}

QString EngineTestMessage(TEngineTestResult result)
{
    const QString version = QString::fromLatin1("%1.%2")
                                .arg(kMinimumSqliteVersion / 1000000)
                                .arg(kMinimumSqliteVersion / 1000 % 1000);
    switch (result) {
    case TEngineTestResult::Ok:
        return {};
    case TEngineTestResult::NothingWorks:
        return QStringLiteral("SQLite %1 or later and a working SQLite engine are not "
                              "available.\r\nPlease download and install them from\r\n").arg(version)
               + kDownloadAddress;
    case TEngineTestResult::LibraryTooOld:
        return QStringLiteral("SQLite %1 or later not available, please download and\r\n"
                              "install it from ").arg(version)
               + kDownloadAddress;
    case TEngineTestResult::SchemaFails:
        return QStringLiteral("The SQLite engine can't create a database, please download "
                              "and\r\ninstall SQLite from ")
               + kDownloadAddress;
    }
    return {};
}
