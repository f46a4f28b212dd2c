#include "Sqlite.h"

#include <sqlite3.h>

namespace {

QString sqliteMessage(sqlite3* db, int resultCode)
{
    // The connection's message belongs to its last call; when none is at hand (a failed
    // open) the generic text of the code is all there is.
    if (db && sqlite3_extended_errcode(db) == resultCode)
        return QString::fromUtf8(sqlite3_errmsg(db));
    return QString::fromUtf8(sqlite3_errstr(resultCode));
}

[[noreturn]] void throwKind(int resultCode, const QString& message)
{
    switch (resultCode) {
    case SQLITE_CONSTRAINT_PRIMARYKEY:
    case SQLITE_CONSTRAINT_UNIQUE:
        throw EKeyViolation(message);
    case SQLITE_CONSTRAINT_FOREIGNKEY:
        throw ERelationshipViolation(message);
    case SQLITE_CONSTRAINT_NOTNULL:
        throw ERequiredValueMissing(message);
    case SQLITE_CONSTRAINT_CHECK:
    case SQLITE_MISMATCH:
        throw EValueRejected(message);
    default:
        break;
    }
    if ((resultCode & 0xff) == SQLITE_BUSY || (resultCode & 0xff) == SQLITE_LOCKED)
        throw EDatabaseBusy(message);
    throw EDatabaseError(message);
}

}  // namespace

void ThrowSqliteError(sqlite3* db, int resultCode, const QString& context)
{
    throwKind(resultCode, context + sqliteMessage(db, resultCode));
}

QString QuoteIdentifier(const QString& name)
{
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QLatin1String("\"\""))
           + QLatin1Char('"');
}

void ExecuteSql(sqlite3* db, const QString& sql)
{
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error);
    sqlite3_free(error);
    if (rc != SQLITE_OK)
        ThrowSqliteError(db, sqlite3_extended_errcode(db));
}

int64_t QueryInteger(sqlite3* db, const QString& sql)
{
    TSqlStatement statement(db, sql);
    return statement.step() ? statement.integer(0) : 0;
}

TSqlStatement::TSqlStatement(sqlite3* db, const QString& sql) : m_db(db)
{
    const QByteArray utf8 = sql.toUtf8();
    const int rc = sqlite3_prepare_v3(db, utf8.constData(), static_cast<int>(utf8.size()),
                                      SQLITE_PREPARE_PERSISTENT, &m_statement, nullptr);
    if (rc != SQLITE_OK)
        ThrowSqliteError(db, sqlite3_extended_errcode(db));
}

TSqlStatement::~TSqlStatement()
{
    sqlite3_finalize(m_statement);
}

void TSqlStatement::bind(int index, const QVariant& value)
{
    if (value.isNull())
        bindNull(index);
    else if (value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int)
        bindInteger(index, value.toLongLong());
    else
        bindText(index, value.toString());
}

void TSqlStatement::bindInteger(int index, int64_t value)
{
    sqlite3_bind_int64(m_statement, index, value);
}

void TSqlStatement::bindText(int index, const QString& text)
{
    // UTF-16 in native byte order is what QString holds; SQLite converts once.
    sqlite3_bind_text16(m_statement, index, text.utf16(),
                        static_cast<int>(text.size() * sizeof(char16_t)), SQLITE_TRANSIENT);
}

void TSqlStatement::bindNull(int index)
{
    sqlite3_bind_null(m_statement, index);
}

bool TSqlStatement::step()
{
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const int code = sqlite3_extended_errcode(m_db);
    // The connection's message must be read before the reset replaces it.
    const QString message = sqliteMessage(m_db, code);
    sqlite3_reset(m_statement);
    throwKind(code, message);
}

void TSqlStatement::reset()
{
    sqlite3_reset(m_statement);
}

int TSqlStatement::columnCount() const
{
    return sqlite3_column_count(m_statement);
}

bool TSqlStatement::isNull(int column) const
{
    return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

int64_t TSqlStatement::integer(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

QString TSqlStatement::text(int column) const
{
    const auto* data = static_cast<const char16_t*>(sqlite3_column_text16(m_statement, column));
    const int bytes = sqlite3_column_bytes16(m_statement, column);
    return data ? QString::fromUtf16(data, bytes / 2) : QString();
}

QVariant TSqlStatement::value(int column) const
{
    switch (sqlite3_column_type(m_statement, column)) {
    case SQLITE_NULL:
        return {};
    case SQLITE_INTEGER:
        return QVariant::fromValue<qint64>(integer(column));
    default:
        return text(column);
    }
}
