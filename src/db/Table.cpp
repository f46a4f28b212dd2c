#include "Table.h"

#include "db/Connection.h"
#include "db/Sqlite.h"

#include <algorithm>

namespace {

// Null sorts first; numbers by value; texts by their code units, as SQLite's BINARY.
int compareValues(const QVariant& a, const QVariant& b)
{
    if (a.isNull() || b.isNull())
        return int(!a.isNull()) - int(!b.isNull());
    if (a.typeId() == QMetaType::LongLong && b.typeId() == QMetaType::LongLong) {
        const qint64 x = a.toLongLong();
        const qint64 y = b.toLongLong();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    return QString::compare(a.toString(), b.toString(), Qt::CaseSensitive);
}

}  // namespace

TDBTable::TDBTable(QObject* parent) : QObject(parent) {}

TDBTable::~TDBTable()
{
    if (m_master)
        m_master->m_details.removeAll(this);
    for (TDBTable* detail : std::as_const(m_details))
        detail->m_master = nullptr;
}

void TDBTable::setConnection(TDBConnection* connection)
{
    m_connection = connection;
}

void TDBTable::setTableName(const QString& name)
{
    m_tableName = name;
}

void TDBTable::setSort(const QString& fieldNames)
{
    m_sort = fieldNames;
}

void TDBTable::setMaster(TDBTable* master, const QString& masterField)
{
    if (m_master)
        m_master->m_details.removeAll(this);
    m_master = master;
    m_masterField = masterField;
    if (m_master)
        m_master->m_details.append(this);
}

void TDBTable::setOpenMode(TDBOpenMode mode)
{
    m_openMode = mode;
}

void TDBTable::open()
{
    if (isOpen())
        return;
    if (!m_connection || !m_connection->isOpen())
        throw EDatabaseError(QStringLiteral("Table %1: the connection is not open").arg(m_tableName));
    readColumns();
    m_sortIndexes = columnIndexes(m_sort);
    m_detailIndex = m_master ? columnIndex(m_masterField) : -1;
    m_state = TDBState::Browse;
    try {
        loadRows();
    } catch (...) {
        m_state = TDBState::Inactive;
        throw;
    }
    m_current = m_rows.isEmpty() ? -1 : 0;
    m_eof = m_rows.isEmpty();
    notifyDetails();
    Q_EMIT afterOpen();
    notifyScroll();
    notifyControls();
}

void TDBTable::close()
{
    if (!isOpen())
        return;
    m_state = TDBState::Inactive;
    m_rows.clear();
    m_buffer.clear();
    m_current = -1;
    m_eof = true;
    m_statements.clear();
    notifyDetails();
    notifyControls();
}

void TDBTable::refresh()
{
    if (!isOpen())
        return;
    prepareToMove();
    const QVariantList key = m_current >= 0 ? keyOf(m_rows.at(m_current)) : QVariantList();
    const int previous = m_current;
    loadRows();
    m_current = key.isEmpty() ? -1 : findRow(keyIndexes(), key);
    if (m_current < 0 && !m_rows.isEmpty())
        m_current = std::clamp(previous, 0, rowCount() - 1);
    m_eof = m_rows.isEmpty();
    notifyDetails();
    Q_EMIT afterRefresh();
    notifyScroll();
    notifyControls();
}

void TDBTable::readColumns()
{
    m_columns.clear();
    const TTableDef* def = FindTableDef(m_tableName);
    TSqlStatement info(m_connection->handle(),
                       QStringLiteral("PRAGMA table_info(%1)").arg(QuoteIdentifier(m_tableName)));
    while (info.step()) {
        TColumn column{info.text(1), TColumnKind::Text, static_cast<int>(info.integer(5))};
        if (info.text(2).contains(QLatin1String("INT"), Qt::CaseInsensitive))
            column.Kind = TColumnKind::Integer;
        for (const TColumnDef& known : def ? def->Columns : QList<TColumnDef>()) {
            if (known.Name == column.Name)
                column.Kind = known.Kind;
        }
        m_columns.append(column);
    }
    if (m_columns.isEmpty())
        throw EDatabaseError(QStringLiteral("The database has no table %1").arg(m_tableName));
    TSqlStatement foreignKeys(m_connection->handle(),
                              QStringLiteral("SELECT count(*) FROM pragma_foreign_key_list(?)"));
    foreignKeys.bindText(1, m_tableName);
    m_hasForeignKey = foreignKeys.step() && foreignKeys.integer(0) > 0;
}

void TDBTable::loadRows()
{
    m_rows.clear();
    if (m_openMode == TDBOpenMode::InsertOnly)
        return;
    if (!m_master) {
        m_rows = queryRows({}, {}, -1);
        return;
    }
    const QVariant value = masterValue();
    if (!value.isNull())
        m_rows = queryRows({m_detailIndex}, {value}, -1);
}

QList<TDBTable::TRow> TDBTable::queryRows(const QList<int>& fields, const QVariantList& values,
                                          int limit)
{
    QStringList columns;
    for (const TColumn& column : std::as_const(m_columns))
        columns << QuoteIdentifier(column.Name);
    QString sql = QStringLiteral("SELECT %1 FROM %2").arg(columns.join(QLatin1Char(',')),
                                                          QuoteIdentifier(m_tableName));
    QStringList conditions;
    for (int field : fields)
        conditions << QuoteIdentifier(m_columns.at(field).Name) + QStringLiteral(" = ?");
    if (!conditions.isEmpty())
        sql += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    QStringList order;
    for (int index : std::as_const(m_sortIndexes))
        order << QuoteIdentifier(m_columns.at(index).Name);
    if (!order.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + order.join(QLatin1Char(','));
    if (limit >= 0)
        sql += QStringLiteral(" LIMIT %1").arg(limit);

    TSqlStatement& query = statement(sql);
    for (qsizetype i = 0; i < values.size(); ++i)
        query.bind(static_cast<int>(i + 1), values.at(i));
    QList<TRow> rows;
    try {
        while (query.step()) {
            TRow row;
            row.reserve(m_columns.size());
            for (int column = 0; column < m_columns.size(); ++column)
                row.append(query.value(column));
            rows.append(std::move(row));
        }
    } catch (...) {
        query.reset();
        throw;
    }
    query.reset();
    return rows;
}

int TDBTable::columnIndex(const QString& name) const
{
    for (int i = 0; i < m_columns.size(); ++i) {
        if (m_columns.at(i).Name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    throw EDatabaseError(QStringLiteral("Table %1 has no field %2").arg(m_tableName, name));
}

QList<int> TDBTable::columnIndexes(const QString& names) const
{
    QList<int> indexes;
    for (const QString& name : names.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        indexes << columnIndex(name.trimmed());
    return indexes;
}

int TDBTable::findRow(const QList<int>& fields, const QVariantList& values) const
{
    for (int row = 0; row < m_rows.size(); ++row) {
        bool match = true;
        for (qsizetype i = 0; match && i < fields.size(); ++i)
            match = compareValues(m_rows.at(row).at(fields.at(i)), values.at(i)) == 0
                    && m_rows.at(row).at(fields.at(i)).isNull() == values.at(i).isNull();
        if (match)
            return row;
    }
    return -1;
}

int TDBTable::compareRows(const TRow& a, const TRow& b) const
{
    for (int index : m_sortIndexes) {
        if (const int order = compareValues(a.at(index), b.at(index)))
            return order;
    }
    return 0;
}

int TDBTable::sortedPosition(const TRow& row) const
{
    const auto position = std::upper_bound(
        m_rows.cbegin(), m_rows.cend(), row,
        [this](const TRow& a, const TRow& b) { return compareRows(a, b) < 0; });
    return static_cast<int>(position - m_rows.cbegin());
}

QList<int> TDBTable::keyIndexes() const
{
    QList<int> indexes;
    for (int position = 1; indexes.size() < m_columns.size(); ++position) {
        const auto column = std::find_if(m_columns.cbegin(), m_columns.cend(),
                                         [position](const TColumn& c) { return c.KeyPosition == position; });
        if (column == m_columns.cend())
            break;
        indexes << static_cast<int>(column - m_columns.cbegin());
    }
    if (indexes.isEmpty()) {
        for (int i = 0; i < m_columns.size(); ++i)
            indexes << i;
    }
    return indexes;
}

QVariantList TDBTable::keyOf(const TRow& row) const
{
    QVariantList key;
    for (int index : keyIndexes())
        key << row.at(index);
    return key;
}

void TDBTable::prepareToMove()
{
    post();
    for (TDBTable* detail : std::as_const(m_details))
        detail->post();
}

void TDBTable::moveTo(int row)
{
    m_current = row;
    m_eof = false;
    notifyDetails();
    notifyScroll();
    notifyControls();
}

void TDBTable::first()
{
    prepareToMove();
    if (m_rows.isEmpty())
        m_eof = true;
    else
        moveTo(0);
}

void TDBTable::last()
{
    prepareToMove();
    if (m_rows.isEmpty())
        m_eof = true;
    else
        moveTo(rowCount() - 1);
}

void TDBTable::next()
{
    prepareToMove();
    if (m_current + 1 < rowCount())
        moveTo(m_current + 1);
    else
        m_eof = true;
}

void TDBTable::prior()
{
    prepareToMove();
    if (m_current > 0)
        moveTo(m_current - 1);
}

QVariantList TDBTable::searchValues(const QList<int>& fields, const QVariantList& values) const
{
    if (fields.isEmpty() || fields.size() != values.size())
        throw EDatabaseError(
            QStringLiteral("A search in %1 needs one value for each field").arg(m_tableName));
    QVariantList normal;
    for (qsizetype i = 0; i < fields.size(); ++i)
        normal << normalized(fields.at(i), values.at(i));
    return normal;
}

bool TDBTable::locate(const QString& fieldNames, const QVariantList& values)
{
    const QList<int> fields = columnIndexes(fieldNames);
    const QVariantList normal = searchValues(fields, values);
    prepareToMove();
    int row = findRow(fields, normal);
    if (row < 0 && m_openMode == TDBOpenMode::InsertOnly) {
        QList<TRow> found = queryRows(fields, normal, 1);
        if (!found.isEmpty()) {
            m_rows = std::move(found);
            row = 0;
        }
    }
    if (row < 0)
        return false;
    moveTo(row);
    return true;
}

QVariant TDBTable::lookup(const QString& keyFields, const QVariantList& keyValues,
                          const QString& resultField)
{
    const QList<int> fields = columnIndexes(keyFields);
    const int result = columnIndex(resultField);
    const QVariantList normal = searchValues(fields, keyValues);
    const int row = findRow(fields, normal);
    if (row >= 0)
        return m_rows.at(row).at(result);
    if (m_openMode == TDBOpenMode::InsertOnly && isOpen()) {
        const QList<TRow> found = queryRows(fields, normal, 1);
        if (!found.isEmpty())
            return found.first().at(result);
    }
    return {};
}

TDBBookmark TDBTable::bookmark() const
{
    if (m_current < 0)
        return {};
    return {keyOf(m_rows.at(m_current))};
}

bool TDBTable::bookmarkValid(const TDBBookmark& bookmark) const
{
    return !bookmark.isNull() && isOpen() && findRow(keyIndexes(), bookmark.Key) >= 0;
}

void TDBTable::gotoBookmark(const TDBBookmark& bookmark)
{
    prepareToMove();
    const int row = bookmark.isNull() ? -1 : findRow(keyIndexes(), bookmark.Key);
    if (row < 0)
        throw EDatabaseError(QStringLiteral("The bookmarked row is no longer in table %1").arg(m_tableName));
    moveTo(row);
}

void TDBTable::enableControls()
{
    if (m_disableCount > 0)
        --m_disableCount;
    if (m_disableCount == 0 && m_controlsPending) {
        m_controlsPending = false;
        Q_EMIT controlsChanged();
    }
}

void TDBTable::notifyScroll()
{
    Q_EMIT afterScroll();
}

void TDBTable::notifyControls()
{
    if (m_disableCount > 0)
        m_controlsPending = true;
    else
        Q_EMIT controlsChanged();
}

QVariant TDBTable::masterValue() const
{
    if (!m_master || !m_master->isOpen() || m_master->m_state == TDBState::Insert
        || m_master->m_current < 0)
        return {};
    const int index = m_master->columnIndex(m_masterField);
    return m_master->m_rows.at(m_master->m_current).at(index);
}

void TDBTable::followMaster()
{
    if (!isOpen())
        return;
    post();
    loadRows();
    m_current = m_rows.isEmpty() ? -1 : 0;
    m_eof = m_rows.isEmpty();
    notifyDetails();
    notifyScroll();
    notifyControls();
}

void TDBTable::notifyDetails()
{
    for (TDBTable* detail : std::as_const(m_details))
        detail->followMaster();
}

TSqlStatement& TDBTable::statement(const QString& sql)
{
    if (!m_connection || !m_connection->isOpen())
        throw EDatabaseError(QStringLiteral("Table %1: the connection is closed").arg(m_tableName));
    if (m_statementGeneration != m_connection->generation()) {
        m_statements.clear();
        m_statementGeneration = m_connection->generation();
    }
    auto& cached = m_statements[sql];
    if (!cached)
        cached = std::make_shared<TSqlStatement>(m_connection->handle(), sql);
    return *cached;
}
