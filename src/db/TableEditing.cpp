// The row buffer of a table object and the posting of inserts and updates.

#include "Table.h"

#include "db/Connection.h"
#include "db/Sqlite.h"

#include <sqlite3.h>

namespace {

bool isNumber(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::UChar:
    case QMetaType::SChar:
        return true;
    default:
        return false;
    }
}

const QString kDayFormat = QStringLiteral("yyyy-MM-dd");

}  // namespace

const QString& TDBField::name() const
{
    return m_table->m_columns.at(m_index).Name;
}

TColumnKind TDBField::kind() const
{
    return m_table->m_columns.at(m_index).Kind;
}

QVariant TDBField::value() const
{
    const TDBTable::TRow* row = m_table->visibleRow();
    return row ? row->at(m_index) : QVariant();
}

bool TDBField::isNull() const
{
    return value().isNull();
}

QString TDBField::asString() const
{
    const QVariant v = value();
    return v.isNull() ? QString() : v.toString();
}

int32_t TDBField::asInteger() const
{
    const QVariant v = value();
    bool ok = false;
    const qlonglong number = v.toLongLong(&ok);
    return ok ? static_cast<int32_t>(number) : 0;
}

QDateTime TDBField::asDateTime() const
{
    const QDate day = QDate::fromString(asString(), kDayFormat);
    return day.isValid() ? QDateTime(day, QTime(0, 0)) : QDateTime();
}

void TDBField::setValue(const QVariant& value)
{
    m_table->setBufferValue(m_index, m_table->normalized(m_index, value));
}

void TDBField::setString(const QString& text)
{
    setValue(QVariant(text));
}

void TDBField::setInteger(int32_t value)
{
    setValue(QVariant::fromValue<qint64>(value));
}

void TDBField::setDateTime(const QDateTime& dateTime)
{
    setValue(dateTime.isValid() ? QVariant(dateTime.date()) : QVariant());
}

void TDBField::clear()
{
    m_table->setBufferValue(m_index, QVariant());
}

TDBField TDBTable::field(const QString& name)
{
    return TDBField(this, columnIndex(name));
}

QStringList TDBTable::fieldNames() const
{
    QStringList names;
    for (const TColumn& column : m_columns)
        names << column.Name;
    return names;
}

const TDBTable::TRow* TDBTable::visibleRow() const
{
    if (m_state == TDBState::Edit || m_state == TDBState::Insert)
        return &m_buffer;
    return m_current >= 0 ? &m_rows.at(m_current) : nullptr;
}

// Brings a value into the form the column stores: qint64 for numbers, "YYYY-MM-DD" for
// dates, QString for texts. What cannot be stored is refused here, before the database.
QVariant TDBTable::normalized(int index, const QVariant& value) const
{
    if (value.isNull())
        return {};
    const TColumn& column = m_columns.at(index);
    switch (column.Kind) {
    case TColumnKind::Integer: {
        bool ok = isNumber(value);
        qlonglong number = value.toLongLong();
        if (!ok) {
            const QString text = value.toString().trimmed();
            if (text.isEmpty())
                return {};
            number = text.toLongLong(&ok);
        }
        if (!ok || number < INT32_MIN || number > INT32_MAX)
            throw EValueRejected(QStringLiteral("%1.%2: \"%3\" is not a 32-bit whole number")
                                     .arg(m_tableName, column.Name, value.toString()));
        return QVariant::fromValue<qint64>(number);
    }
    case TColumnKind::Date: {
        QDate day;
        if (value.typeId() == QMetaType::QDate)
            day = value.toDate();
        else if (value.typeId() == QMetaType::QDateTime)
            day = value.toDateTime().date();
        else if (value.toString().trimmed().isEmpty())
            return {};
        else
            day = QDate::fromString(value.toString().trimmed(), kDayFormat);
        if (!day.isValid() || day.year() < 1 || day.year() > 9999)
            throw EValueRejected(QStringLiteral("%1.%2: \"%3\" is not a day YYYY-MM-DD")
                                     .arg(m_tableName, column.Name, value.toString()));
        return day.toString(kDayFormat);
    }
    case TColumnKind::Text:
        return value.toString();
    }
    return {};
}

void TDBTable::setBufferValue(int index, const QVariant& value)
{
    if (m_state != TDBState::Edit && m_state != TDBState::Insert)
        throw EDatabaseError(QStringLiteral("Table %1 is not in insert or edit state").arg(m_tableName));
    m_buffer[index] = value;
    m_modified[index] = true;
}

void TDBTable::insert()
{
    if (!isOpen())
        throw EDatabaseError(QStringLiteral("Table %1 is not open").arg(m_tableName));
    prepareToMove();
    m_buffer = TRow(m_columns.size());
    m_modified = QList<bool>(m_columns.size(), false);
    // A detail row belongs to the master's current row from the start.
    if (m_detailIndex >= 0) {
        const QVariant value = masterValue();
        if (!value.isNull()) {
            m_buffer[m_detailIndex] = value;
            m_modified[m_detailIndex] = true;
        }
    }
    m_state = TDBState::Insert;
    notifyDetails();
    notifyControls();
}

void TDBTable::edit()
{
    if (m_state == TDBState::Edit || m_state == TDBState::Insert)
        return;
    if (m_state == TDBState::Inactive || m_current < 0)
        throw EDatabaseError(QStringLiteral("Table %1 has no current row to edit").arg(m_tableName));
    m_buffer = m_original = m_rows.at(m_current);
    m_modified = QList<bool>(m_columns.size(), false);
    m_state = TDBState::Edit;
}

void TDBTable::post()
{
    if (m_state == TDBState::Insert)
        postInsert();
    else if (m_state == TDBState::Edit)
        postEdit();
}

void TDBTable::cancel()
{
    if (m_state != TDBState::Edit && m_state != TDBState::Insert)
        return;
    const bool wasInsert = m_state == TDBState::Insert;
    m_state = TDBState::Browse;
    m_buffer.clear();
    if (wasInsert)
        notifyDetails();
    notifyControls();
}

void TDBTable::postInsert()
{
    // An adder posts thousands of rows with the same fields set: build their SQL once.
    if (m_modified != m_insertFields || m_insertSql.isEmpty()) {
        QStringList columns;
        for (int i = 0; i < m_columns.size(); ++i) {
            if (m_modified.at(i))
                columns << QuoteIdentifier(m_columns.at(i).Name);
        }
        m_insertSql = columns.isEmpty()
                          ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(QuoteIdentifier(m_tableName))
                          : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                .arg(QuoteIdentifier(m_tableName), columns.join(QLatin1Char(',')),
                                     QStringLiteral("?,").repeated(columns.size()).chopped(1));
        m_insertFields = m_modified;
    }
    TSqlStatement& statement = this->statement(m_insertSql);
    int parameter = 1;
    for (int i = 0; i < m_columns.size(); ++i) {
        if (m_modified.at(i))
            statement.bind(parameter++, m_buffer.at(i));
    }
    try {
        statement.step();
    } catch (const EDatabaseError&) {
        rethrowRefusal(m_buffer);
    }
    statement.reset();

    m_state = TDBState::Browse;
    if (m_openMode == TDBOpenMode::InsertOnly) {
        m_rows = {std::move(m_buffer)};
        m_current = 0;
    } else {
        m_current = sortedPosition(m_buffer);
        m_rows.insert(m_current, std::move(m_buffer));
    }
    m_buffer.clear();
    m_eof = false;
    notifyDetails();
    notifyControls();
}

void TDBTable::postEdit()
{
    QStringList assignments;
    QStringList conditions;
    QVariantList values;
    QVariantList originals;
    for (int index : keyIndexes()) {
        conditions << QuoteIdentifier(m_columns.at(index).Name) + QStringLiteral(" = ?");
        originals << m_original.at(index);
    }
    for (int i = 0; i < m_columns.size(); ++i) {
        if (!m_modified.at(i))
            continue;
        assignments << QuoteIdentifier(m_columns.at(i).Name) + QStringLiteral(" = ?");
        values << m_buffer.at(i);
        // Optimistic locking: the update applies only while the field still holds what
        // this table read, so a change made meanwhile by another connection survives.
        conditions << QuoteIdentifier(m_columns.at(i).Name) + QStringLiteral(" IS ?");
        originals << m_original.at(i);
    }
    if (assignments.isEmpty()) {
        m_state = TDBState::Browse;
        m_buffer.clear();
        return;
    }
    const QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                            .arg(QuoteIdentifier(m_tableName), assignments.join(QLatin1Char(',')),
                                 conditions.join(QStringLiteral(" AND ")));
    TSqlStatement& statement = this->statement(sql);
    int parameter = 1;
    for (const QVariant& value : std::as_const(values))
        statement.bind(parameter++, value);
    for (const QVariant& value : std::as_const(originals))
        statement.bind(parameter++, value);
    try {
        statement.step();
    } catch (const EDatabaseError&) {
        rethrowRefusal(m_buffer);
    }
    statement.reset();
    if (sqlite3_changes(m_connection->handle()) == 0)
        throw EDatabaseError(
            QStringLiteral("The row of %1 was changed or removed by another program; refresh "
                           "the table and edit it again")
                .arg(m_tableName));

    m_state = TDBState::Browse;
    m_rows.removeAt(m_current);
    m_current = sortedPosition(m_buffer);
    m_rows.insert(m_current, std::move(m_buffer));
    m_buffer.clear();
    notifyDetails();
    notifyControls();
}

// Called inside a catch block: says which row was refused, in the kind SQLite gave.
void TDBTable::rethrowRefusal(const TRow& row)
{
    const auto describe = [this](const TRow& values, const QList<int>& fields) {
        QStringList parts;
        for (int index : fields) {
            const QVariant& value = values.at(index);
            parts << m_columns.at(index).Name + QLatin1Char(' ')
                         + (value.isNull() ? QStringLiteral("(empty)") : value.toString());
        }
        return parts.join(QStringLiteral(", "));
    };
    try {
        throw;
    } catch (const EKeyViolation&) {
        throw EKeyViolation(QStringLiteral("%1 already holds a row with %2")
                                .arg(m_tableName, describe(row, keyIndexes())));
    } catch (const ERelationshipViolation& error) {
        if (m_hasForeignKey)
            throw ERelationshipViolation(
                QStringLiteral("The row of %1 with %2 refers to a row that does not exist (%3)")
                    .arg(m_tableName, describe(row, keyIndexes()), error.message()));
        throw ERelationshipViolation(
            QStringLiteral("Rows of another table still refer to the row of %1 with %2 (%3)")
                .arg(m_tableName, describe(m_original, keyIndexes()), error.message()));
    }
}
