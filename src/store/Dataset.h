#pragma once

#include "Database.h"

#include <QObject>
#include <QPointer>
#include <QSet>
#include <QVariant>
#include <QVector>

/// The main query (and, with a parameter, the portrait query): the result of one select,
/// held in memory, with a current row that can be edited and posted back by row id.
/// Moving off an edited row posts it first. Errors are returned and kept in lastError().
class Dataset final : public QObject {
    Q_OBJECT

public:
    enum class State {
        Inactive,
        Browse,
        Edit,
        Insert
    };

    explicit Dataset(Database &database, QObject *parent = nullptr);
    ~Dataset() override;

    /// Replaces the statement text; an open dataset is closed first (pending edits posted).
    void setQuery(const Query &query);
    const Query &query() const { return m_query; }

    /// Runs the query and makes the first row current. Fails (and stays closed) on an engine error.
    Result open();
    /// The same, with the written table's columns as the caller has just read them (they
    /// give the values their types), so that they are not read again.
    Result open(const QList<ColumnDefinition> &writeTableColumns);
    /// Posts a pending edit, then drops the rows. Closes even when that post fails
    /// (the edit is then lost) and returns the failure.
    Result close();
    bool isOpen() const { return m_state != State::Inactive; }
    State state() const { return m_state; }

    /// Closes the dataset (as replacing its text does) and runs a statement without a result set.
    Result execute(const Statement &statement);

    // Fields of the result, by position and by name (the hidden row id is not a field).
    int fieldCount() const;
    QString fieldName(int index) const;
    int fieldIndex(const QString &name) const; ///< -1 when there is no such field
    QStringList fieldNames() const;

    // Rows.
    int rowCount() const;
    int currentRow() const { return m_current; } ///< -1 when closed or empty
    bool isEmpty() const { return rowCount() == 0; }
    bool isEof() const { return m_eof; }
    bool isBof() const { return m_bof; }
    QVariant value(int row, int field) const;
    /// The same, without a copy (a null value outside the rows and fields).
    const QVariant &cell(int row, int field) const;
    /// Value of a field of the current row (the edit buffer while editing); invalid when none.
    QVariant value(const QString &field) const;

    // Navigation; each posts a pending edit first and returns false when that post fails
    // (or when the dataset is closed). An unchanged edit or insert is cancelled instead.
    bool first();
    bool last();
    bool next();  ///< sets EOF at the last row
    bool prior(); ///< sets BOF at the first row
    bool moveTo(int row);
    /// Moves to the first row whose field equals value (numbers compare as numbers,
    /// texts exactly). Stays put and returns false when no row matches.
    bool locate(const QString &field, const QVariant &value);
    /// Moves to the first row whose field's text begins with prefix (an empty prefix
    /// matches only an empty or null value).
    bool locatePrefix(const QString &field, const QString &prefix);

    // Editing.
    bool edit();   ///< puts the current row into edit state (on an empty dataset: insert)
    bool insert(); ///< appends a new empty row in insert state and makes it current
    /// Sets a field of the current row; enters edit state when browsing. Text for a number
    /// column is converted (empty text gives null) and refused when it is not a number.
    Result setValue(const QString &field, const QVariant &value);
    Result post();
    /// Posts the current row (a browse row too, writing nothing but the totals) and, in the
    /// same statement, sets 合计 and 平均 from the score columns of the row as the file holds
    /// it after the write, whatever this dataset read earlier. The row is then re-read. As
    /// post(), a field another program changed since it was read is not overwritten.
    Result postWithRowTotals();
    void cancel();
    Result deleteCurrent();
    bool isWritable() const;
    /// The row id of the current row in the written table; -1 when there is none.
    qint64 currentRowId() const;
    /// The row id of a row in the written table; -1 when there is none.
    qint64 rowId(int row) const;
    /// The row that holds this row id of the written table; -1 when none does.
    int rowOf(qint64 rowId) const;
    /// Re-reads the current row from the file (after a statement changed it there) and
    /// signals the fields whose values changed.
    void refreshCurrent();
    /// A column of the written table for the current row, read from the file: a large
    /// value (a picture) that the query leaves out so that following a row stays cheap.
    /// Fails when there is no stored current row.
    ReadResult<QVariant> readStored(const QString &column) const;
    /// Writes such a column for the current row, which must be stored (posted) already.
    Result writeStored(const QString &column, const QVariant &value);

    // Portrait query: re-run with the value of the master's field named by the parameter
    // whenever the master's current row or that value changes.
    void setMaster(Dataset *master);

    QString lastError() const { return m_lastError; }
    Database &database() const { return m_database; }

Q_SIGNALS:
    void opened();
    void closed();
    /// The current row moved (also after open, close, insert and delete).
    void currentRowChanged();
    /// A field of the current row changed its value (edit buffer or post).
    void valueChanged(const QString &field);
    /// Rows (and fields) are about to be added, removed or re-read; rowsReset follows.
    void rowsAboutToBeReset();
    /// Rows were added, removed or re-read.
    void rowsReset();
    /// The master moved but the pending edit could not be posted (error): the dataset
    /// stays on its row with the edit, and follows once a later post succeeds.
    void pendingEditKept(const QString &error);

private:
    enum class Affinity {
        Text,
        Integer,
        Real,
        Other
    };
    struct Row {
        qint64 rowId = -1;
        QVector<QVariant> values;
    };
    Result openWith(const QList<ColumnDefinition> *writeTableColumns);
    bool postIfEditing();
    /// The current row has been written: browsing again, showing what the file holds.
    Result stored();
    /// Nothing was written, another program having changed the row: undone, shown as stored.
    Result changedElsewhere();
    void setCurrent(int row);
    void replaceRows(const std::function<void()> &change);
    Result fail(const QString &message);
    QVariant masterParameter() const;
    void refreshFromMaster();
    void rereadCurrent();

    Database &m_database;
    Query m_query;
    State m_state = State::Inactive;
    QStringList m_fields;
    QVector<Affinity> m_affinities;
    QVector<Row> m_rows;
    QVector<QVariant> m_saved; ///< the current row as it was before editing
    QSet<int> m_modified;      ///< fields set since editing began
    int m_current = -1;
    bool m_eof = true;
    bool m_bof = true;
    QString m_lastError;
    QPointer<Dataset> m_master;
    QList<QMetaObject::Connection> m_masterConnections;
    QVariant m_parameterValue;
};
