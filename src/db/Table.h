#pragma once

// A table object: a client-side set of the rows of one table of a connection, sorted,
// with a current row, editing through a row buffer, bookmarks, and notifications.
//
//   TDBConnection db;              db.open(file);
//   TDBTable rolls;                rolls.setConnection(&db); rolls.setTableName("Rolls");
//                                  rolls.setSort("RollNumber"); rolls.open();
//   TDBTable frames;               frames.setConnection(&db); frames.setTableName("Frames");
//                                  frames.setSort("RollNumber;FrameNumber");
//                                  frames.setMaster(&rolls, "RollNumber"); frames.open();
//   for (rolls.first(); !rolls.eof(); rolls.next())   // frames holds the current roll's
//       ... frames.rowCount(), frames.field("Aperture").asString() ...
//
// Master and detail. A detail table holds only the rows whose master field equals the
// master's current row, and follows every move of the master (also in quiet mode).
// Before the master moves, pending edits of the master and of its details are posted.
//
// Open modes. Browse loads the rows (for a detail only the master row's rows). InsertOnly
// loads nothing: insert and post work, locate and lookup ask the database directly, and
// the set holds at most the row last posted or located. The adder uses it, so adding to
// an archive of 100,000 frames costs no more than adding to an empty one.
//
// Editing. insert() or edit() start a row buffer; field setters change it; post() sends
// only the modified fields (an update also checks that those fields still hold what was
// read, so a change by another connection is not overwritten). A refused post throws
// (EKeyViolation, ERelationshipViolation, ERequiredValueMissing, EValueRejected,
// EDatabaseBusy or EDatabaseError) and leaves the table in its insert or edit state for
// the caller to fix or cancel(). Moving to another row posts a pending edit first.
//
// Notifications (Qt signals, emitted on the owner's thread): afterOpen, afterRefresh and
// afterScroll are the table's events and are always emitted; handlers test isQuiet()
// first and do nothing in quiet mode. controlsChanged is for data-bound widgets and is
// held back while controls are disabled, then sent once when they are enabled again.
// Both counters nest.
//
// Threads: a table object is used by one thread only, the one that uses its connection.
// Errors: every failure throws an EDatabaseError kind; the set is then unchanged.

#include "db/Schema.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>
#include <memory>

class TDBConnection;
class TDBTable;
class TSqlStatement;

enum class TDBState { Inactive, Browse, Edit, Insert };
enum class TDBOpenMode { Browse, InsertOnly };

// Names a row by its primary key; stays meaningful across refreshes.
struct TDBBookmark
{
    QVariantList Key;  // empty: no bookmark
    bool isNull() const { return Key.isEmpty(); }
};

// A field of the table's current row (or of the row buffer while editing), by name.
// Integers read as decimal text, dates as "YYYY-MM-DD"; an empty value reads as an empty
// text, 0 or a null date time.
class TDBField
{
public:
    const QString& name() const;
    TColumnKind kind() const;
    bool isNull() const;
    QVariant value() const;
    QString asString() const;
    int32_t asInteger() const;
    QDateTime asDateTime() const;  // the day at 00:00, or null

    // Only in the insert or edit state. An empty text empties a number or a date column
    // (and stays an empty text in a text column); a text that is not a number or a day
    // YYYY-MM-DD throws EValueRejected. A date time is stored without its time of day.
    void setValue(const QVariant& value);
    void setString(const QString& text);
    void setInteger(int32_t value);
    void setDateTime(const QDateTime& dateTime);
    void clear();

private:
    friend class TDBTable;
    TDBField(TDBTable* table, int index) : m_table(table), m_index(index) {}
    TDBTable* m_table;
    int m_index;
};

class TDBTable : public QObject
{
    Q_OBJECT

public:
    explicit TDBTable(QObject* parent = nullptr);
    ~TDBTable() override;

    // Settings, given while the table is closed.
    void setConnection(TDBConnection* connection);
    TDBConnection* connection() const { return m_connection; }
    void setTableName(const QString& name);
    const QString& tableName() const { return m_tableName; }
    void setSort(const QString& fieldNames);  // "RollNumber;FrameNumber"
    const QString& sort() const { return m_sort; }
    void setMaster(TDBTable* master, const QString& masterField);  // nullptr: none
    TDBTable* master() const { return m_master; }
    const QString& masterField() const { return m_masterField; }
    void setOpenMode(TDBOpenMode mode);
    TDBOpenMode openMode() const { return m_openMode; }

    void open();   // throws; stays closed on failure
    void close();  // drops a pending edit
    bool isOpen() const { return m_state != TDBState::Inactive; }
    void refresh();  // reloads the set, staying on the current row when it still exists

    // Navigation. eof() is set by next() on the last row and whenever the set is empty.
    void first();
    void last();
    void next();
    void prior();
    bool eof() const { return m_eof; }
    bool isEmpty() const { return m_rows.isEmpty(); }
    int rowCount() const { return static_cast<int>(m_rows.size()); }
    int recNo() const { return m_current; }  // 0-based; -1 without a current row

    // Exact match on one field or on fields joined by ";", one value each. locate makes
    // the first matching row current; lookup reads a field of it without moving
    // (a null QVariant when no row matches).
    bool locate(const QString& fieldNames, const QVariantList& values);
    QVariant lookup(const QString& keyFields, const QVariantList& keyValues,
                    const QString& resultField);

    TDBBookmark bookmark() const;
    bool bookmarkValid(const TDBBookmark& bookmark) const;
    void gotoBookmark(const TDBBookmark& bookmark);  // throws when the row is gone
    static void freeBookmark(TDBBookmark& bookmark) { bookmark = {}; }

    void insert();
    void edit();
    void post();
    void cancel();
    TDBState state() const { return m_state; }

    TDBField field(const QString& name);  // throws EDatabaseError for an unknown name
    QStringList fieldNames() const;

    void disableControls() { ++m_disableCount; }
    void enableControls();
    bool controlsDisabled() const { return m_disableCount > 0; }
    void beginQuiet() { ++m_quietCount; }
    void endQuiet() { m_quietCount = m_quietCount > 0 ? m_quietCount - 1 : 0; }
    bool isQuiet() const { return m_quietCount > 0; }

Q_SIGNALS:
    void afterOpen();
    void afterRefresh();
    void afterScroll();
    void controlsChanged();

private:
    friend class TDBField;
    struct TColumn
    {
        QString Name;
        TColumnKind Kind;
        int KeyPosition;  // 1-based position in the primary key; 0 when not in it
    };
    using TRow = QVariantList;

    // Table.cpp: loading, navigation, search, notifications.
    void readColumns();
    void loadRows();
    QList<TRow> queryRows(const QList<int>& fields, const QVariantList& values, int limit);
    int columnIndex(const QString& name) const;  // throws
    QList<int> columnIndexes(const QString& names) const;
    QVariantList searchValues(const QList<int>& fields, const QVariantList& values) const;
    int findRow(const QList<int>& fields, const QVariantList& values) const;
    int compareRows(const TRow& a, const TRow& b) const;
    int sortedPosition(const TRow& row) const;
    QVariantList keyOf(const TRow& row) const;
    QList<int> keyIndexes() const;
    void prepareToMove();
    void moveTo(int row);
    void notifyScroll();
    void notifyControls();
    void followMaster();
    void notifyDetails();
    QVariant masterValue() const;
    TSqlStatement& statement(const QString& sql);

    // TableEditing.cpp: the row buffer and posting.
    const TRow* visibleRow() const;
    QVariant normalized(int index, const QVariant& value) const;
    void setBufferValue(int index, const QVariant& value);
    void postInsert();
    void postEdit();
    [[noreturn]] void rethrowRefusal(const TRow& row);

    TDBConnection* m_connection = nullptr;
    QString m_tableName;
    QString m_sort;
    TDBTable* m_master = nullptr;
    QString m_masterField;
    QList<TDBTable*> m_details;
    TDBOpenMode m_openMode = TDBOpenMode::Browse;

    QList<TColumn> m_columns;
    QList<int> m_sortIndexes;
    int m_detailIndex = -1;  // this table's column that follows the master
    bool m_hasForeignKey = false;

    QList<TRow> m_rows;
    int m_current = -1;
    bool m_eof = true;
    TDBState m_state = TDBState::Inactive;
    TRow m_buffer;
    TRow m_original;
    QList<bool> m_modified;
    QList<bool> m_insertFields;
    QString m_insertSql;

    int m_disableCount = 0;
    bool m_controlsPending = false;
    int m_quietCount = 0;

    QHash<QString, std::shared_ptr<TSqlStatement>> m_statements;
    quint64 m_statementGeneration = 0;
};

// Raises a table's quiet-mode counter for a scope; lowered on every way out.
class TQuietScope
{
public:
    explicit TQuietScope(TDBTable& table) : m_table(table) { m_table.beginQuiet(); }
    ~TQuietScope() { m_table.endQuiet(); }
    TQuietScope(const TQuietScope&) = delete;
    TQuietScope& operator=(const TQuietScope&) = delete;

private:
    TDBTable& m_table;
};
