#include "Dataset.h"

#include "EngineMessages.h"
#include "GradeBookTable.h"
#include "NumberText.h"
#include "NameCharacters.h"
#include "TableNames.h"

#include <QSignalBlocker>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <limits>
#include <optional>

namespace {

QString engineMessage(const QSqlError &error)
{
    const QString text = error.databaseText().trimmed();
    return EngineMessages::inChinese(text.isEmpty() ? error.text().trimmed() : text);
}

bool isNumber(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float: return true;
    default: return false;
    }
}

bool sameValue(const QVariant &cell, const QVariant &wanted)
{
    if (wanted.isNull())
        return cell.isNull();
    if (cell.isNull())
        return false;
    if (isNumber(cell) || isNumber(wanted)) {
        bool cellOk = false;
        bool wantedOk = false;
        const double a = cell.toDouble(&cellOk);
        const double b = wanted.toDouble(&wantedOk);
        if (cellOk && wantedOk)
            return a == b;
    }
    return cell.toString() == wanted.toString();
}

// The same stored value: a null differs from everything but a null.
bool identical(const QVariant &a, const QVariant &b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    return a == b;
}

} // namespace

Dataset::Dataset(Database &database, QObject *parent)
    : QObject(parent)
    , m_database(database)
{
}

Dataset::~Dataset()
{
    const QSignalBlocker blocker(this);
    postIfEditing();
}

void Dataset::setQuery(const Query &query)
{
    (void)close();
    m_query = query;
}

Result Dataset::open()
{
    return openWith(nullptr);
}

Result Dataset::open(const QList<ColumnDefinition> &writeTableColumns)
{
    return openWith(&writeTableColumns);
}

Result Dataset::openWith(const QList<ColumnDefinition> *writeTableColumns)
{
    if (isOpen())
        (void)close();
    if (!m_database.isOpen())
        return fail(QStringLiteral("数据库没有打开"));

    QSqlQuery sql(m_database.connection());
    sql.setForwardOnly(true);
    if (Result prepared = m_database.prepare(sql, m_query.sql); !prepared)
        return fail(prepared.error);
    m_parameterValue = masterParameter();
    if (!m_query.parameter.isEmpty())
        sql.addBindValue(m_parameterValue);
    if (Result ran = m_database.exec(sql); !ran)
        return fail(ran.error);

    const bool writable = !m_query.writeTable.isEmpty();
    const int offset = writable ? 1 : 0;
    const QSqlRecord record = sql.record();
    QStringList fields;
    // The row identity is never a field, also where a table's own columns show it
    // (PostgreSQL's identity column under *).
    QList<int> shown;
    for (int i = offset; i < record.count(); ++i) {
        if (record.fieldName(i).compare(Sql::kRowIdentity, Qt::CaseInsensitive) == 0)
            continue;
        fields << record.fieldName(i);
        shown << i;
    }
    QVector<Row> rows;
    while (sql.next()) {
        Row row;
        row.rowId = writable ? sql.value(0).toLongLong() : -1;
        row.values.reserve(fields.size());
        for (int i : std::as_const(shown))
            row.values.append(sql.value(i));
        rows.append(std::move(row));
    }
    if (sql.lastError().isValid())
        return fail(engineMessage(sql.lastError()));

    QVector<Affinity> affinities(fields.size(), Affinity::Other);
    if (writable) {
        const QList<ColumnDefinition> columns
            = writeTableColumns ? *writeTableColumns : m_database.columnDefinitions(m_query.writeTable);
        for (const ColumnDefinition &column : columns) {
            const int index = int(fields.indexOf(column.name));
            if (index < 0)
                continue;
            // SQLite's own affinity rules, in its order.
            const QString type = column.type.toUpper();
            if (type.contains(QLatin1String("INT")))
                affinities[index] = Affinity::Integer;
            else if (type.contains(QLatin1String("CHAR")) || type.contains(QLatin1String("CLOB"))
                || type.contains(QLatin1String("TEXT")))
                affinities[index] = Affinity::Text;
            else if (type.contains(QLatin1String("REAL")) || type.contains(QLatin1String("FLOA"))
                || type.contains(QLatin1String("DOUB")))
                affinities[index] = Affinity::Real;
        }
    }

    replaceRows([&] {
        m_fields = fields;
        m_affinities = affinities;
        m_rows = std::move(rows);
        m_state = State::Browse;
        m_modified.clear();
        m_current = m_rows.isEmpty() ? -1 : 0;
        m_bof = true;
        m_eof = m_rows.isEmpty();
    });
    m_lastError.clear();
    Q_EMIT opened();
    Q_EMIT currentRowChanged();
    return Result::success();
}

Result Dataset::close()
{
    if (!isOpen())
        return Result::success();
    Result result = Result::success();
    if (!postIfEditing()) {
        result = Result::failure(m_lastError);
        cancel();
    }
    replaceRows([this] {
        m_state = State::Inactive;
        m_fields.clear();
        m_affinities.clear();
        m_rows.clear();
        m_modified.clear();
        m_current = -1;
        m_bof = m_eof = true;
    });
    Q_EMIT closed();
    Q_EMIT currentRowChanged();
    return result;
}

Result Dataset::execute(const Statement &statement)
{
    (void)close();
    return m_database.execute(statement);
}

int Dataset::fieldCount() const
{
    return int(m_fields.size());
}

QString Dataset::fieldName(int index) const
{
    return m_fields.value(index);
}

int Dataset::fieldIndex(const QString &name) const
{
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QStringList Dataset::fieldNames() const
{
    return m_fields;
}

int Dataset::rowCount() const
{
    return int(m_rows.size());
}

QVariant Dataset::value(int row, int field) const
{
    return cell(row, field);
}

const QVariant &Dataset::cell(int row, int field) const
{
    static const QVariant kNull;
    if (row < 0 || row >= m_rows.size() || field < 0 || field >= m_fields.size())
        return kNull;
    return m_rows.at(row).values.at(field);
}

QVariant Dataset::value(const QString &field) const
{
    return value(m_current, fieldIndex(field));
}

bool Dataset::first()
{
    if (!isOpen() || !postIfEditing())
        return false;
    m_bof = true;
    m_eof = m_rows.isEmpty();
    setCurrent(m_rows.isEmpty() ? -1 : 0);
    return true;
}

bool Dataset::last()
{
    if (!isOpen() || !postIfEditing())
        return false;
    m_eof = true;
    m_bof = m_rows.isEmpty();
    setCurrent(int(m_rows.size()) - 1);
    return true;
}

bool Dataset::next()
{
    if (!isOpen() || !postIfEditing())
        return false;
    if (m_current + 1 >= m_rows.size()) {
        m_eof = true;
        return true;
    }
    m_bof = m_eof = false;
    setCurrent(m_current + 1);
    return true;
}

bool Dataset::prior()
{
    if (!isOpen() || !postIfEditing())
        return false;
    if (m_current <= 0) {
        m_bof = true;
        return true;
    }
    m_bof = m_eof = false;
    setCurrent(m_current - 1);
    return true;
}

bool Dataset::moveTo(int row)
{
    if (!isOpen() || row < 0 || row >= m_rows.size())
        return false;
    if (row == m_current)
        return true;
    if (!postIfEditing() || row >= m_rows.size()) // a cancelled insert removes the last row
        return false;
    m_bof = m_eof = false;
    setCurrent(row);
    return true;
}

bool Dataset::locate(const QString &field, const QVariant &value)
{
    const int index = fieldIndex(field);
    if (!isOpen() || index < 0)
        return false;
    // The random-selection tick locates by number every 10 ms: convert the wanted number
    // once and compare stored numbers directly, so a scan of a large class stays cheap.
    bool wantedIsNumber = false;
    const double wantedNumber = value.isNull() ? 0.0 : value.toDouble(&wantedIsNumber);
    for (int row = 0; row < m_rows.size(); ++row) {
        const QVariant &cell = m_rows.at(row).values.at(index);
        if (wantedIsNumber && isNumber(cell)) {
            if (cell.toDouble() == wantedNumber)
                return moveTo(row);
        } else if (sameValue(cell, value)) {
            return moveTo(row);
        }
    }
    return false;
}

bool Dataset::locatePrefix(const QString &field, const QString &prefix)
{
    const int index = fieldIndex(field);
    if (!isOpen() || index < 0)
        return false;
    for (int row = 0; row < m_rows.size(); ++row) {
        const QVariant &cell = m_rows.at(row).values.at(index);
        const bool matches = prefix.isEmpty() ? (cell.isNull() || cell.toString().isEmpty())
                                              : (!cell.isNull() && cell.toString().startsWith(prefix));
        if (matches)
            return moveTo(row);
    }
    return false;
}

bool Dataset::edit()
{
    if (m_state == State::Edit || m_state == State::Insert)
        return true;
    if (!isOpen())
        return false;
    if (!isWritable()) {
        (void)fail(QStringLiteral("该数据集不能修改"));
        return false;
    }
    if (m_rows.isEmpty())
        return insert();
    m_saved = m_rows.at(m_current).values;
    m_modified.clear();
    m_state = State::Edit;
    return true;
}

bool Dataset::insert()
{
    if (!isOpen() || !postIfEditing())
        return false;
    if (!isWritable()) {
        (void)fail(QStringLiteral("该数据集不能修改"));
        return false;
    }
    replaceRows([this] {
        m_rows.append(Row{-1, QVector<QVariant>(m_fields.size())});
        m_current = int(m_rows.size()) - 1;
        m_state = State::Insert;
        m_modified.clear();
        m_saved.clear();
        m_bof = m_eof = false;
    });
    Q_EMIT currentRowChanged();
    return true;
}

Result Dataset::setValue(const QString &field, const QVariant &value)
{
    const int index = fieldIndex(field);
    if (!isOpen())
        return fail(QStringLiteral("数据集没有打开"));
    if (index < 0)
        return fail(QStringLiteral("没有字段“%1”").arg(field));
    if (m_state == State::Browse && !edit())
        return Result::failure(m_lastError);

    if (m_fields.at(index) == Column::kName) {
        if (const QString refusal = NameCharacters::studentNameRefusal(value.toString()); !refusal.isEmpty())
            return fail(refusal + QStringLiteral("，请删去后再输入。"));
    }
    QVariant stored = value;
    const Affinity affinity = m_affinities.value(index, Affinity::Other);
    if ((affinity == Affinity::Integer || affinity == Affinity::Real) && value.typeId() == QMetaType::QString) {
        // A number column takes numbers only: SQLite itself would keep any text.
        // Full-width digits from an input method are digits.
        const QString text = NumberText::folded(value.toString());
        bool ok = true;
        if (text.isEmpty()) {
            stored = QVariant();
        } else if (affinity == Affinity::Integer) {
            const std::optional<int> number = NumberText::toInt32(text);
            ok = number.has_value();
            stored = qlonglong(number.value_or(0));
        } else {
            const std::optional<double> number = NumberText::toReal(text);
            ok = number.has_value();
            stored = number.value_or(0.0);
        }
        if (!ok && affinity == Affinity::Integer)
            return fail(QStringLiteral("“%1”不能填入“%2”：这里只能填%3到%4之间的整数。")
                            .arg(value.toString(), m_fields.at(index))
                            .arg(std::numeric_limits<int>::min())
                            .arg(std::numeric_limits<int>::max()));
        if (!ok)
            return fail(QStringLiteral("“%1”不能填入“%2”：这里只能填数字。").arg(value.toString(), m_fields.at(index)));
    }

    QVariant &cell = m_rows[m_current].values[index];
    m_modified.insert(index);
    if (!identical(cell, stored)) {
        cell = stored;
        Q_EMIT valueChanged(m_fields.at(index));
    }
    return Result::success();
}

Result Dataset::post()
{
    if (m_state == State::Browse)
        return Result::success();
    if (!isOpen())
        return fail(QStringLiteral("数据集没有打开"));
    if (m_state == State::Edit && m_modified.isEmpty()) {
        m_state = State::Browse;
        return Result::success();
    }

    QList<int> fields = m_modified.values();
    std::sort(fields.begin(), fields.end());
    const QString table = Sql::quoted(m_query.writeTable);
    Row &row = m_rows[m_current];
    QSqlQuery sql(m_database.connection());
    QStringList names;
    for (int index : fields)
        names << Sql::quoted(m_fields.at(index));

    QString text;
    if (m_state == State::Edit) {
        // Only a field still holding what this row showed is written: a value another
        // program stored since is never overwritten.
        QStringList unchanged;
        for (const QString &name : std::as_const(names))
            unchanged << Sql::sameValue(name, QStringLiteral("?"));
        text = QStringLiteral("UPDATE %1 SET %2=? WHERE rowid=? AND %3")
                   .arg(table, names.join(QStringLiteral("=?,")), unchanged.join(QStringLiteral(" AND ")));
    } else if (names.isEmpty()) {
        text = QStringLiteral("INSERT INTO %1 DEFAULT VALUES RETURNING rowid").arg(table);
    } else {
        QStringList marks;
        for (qsizetype i = 0; i < names.size(); ++i)
            marks << QStringLiteral("?");
        text = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3) RETURNING rowid")
                   .arg(table, names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
    }
    if (Result prepared = m_database.prepare(sql, text); !prepared)
        return fail(prepared.error);
    for (int index : fields)
        sql.addBindValue(row.values.at(index));
    if (m_state == State::Edit) {
        sql.addBindValue(row.rowId);
        for (int index : fields)
            sql.addBindValue(m_saved.value(index));
    }
    if (Result ran = m_database.exec(sql); !ran)
        return fail(ran.error);
    if (m_state == State::Insert) {
        if (!sql.next())
            return fail(engineMessage(sql.lastError()));
        row.rowId = sql.value(0).toLongLong();
        sql.finish();
    } else if (sql.numRowsAffected() == 0) {
        return changedElsewhere();
    }
    return stored();
}

Result Dataset::changedElsewhere()
{
    // Changed (or deleted) by another program since it was read: show what is stored.
    cancel();
    rereadCurrent();
    return fail(QStringLiteral("这一行刚被另一台电脑（或另一个程序）修改过，您的修改没有保存，以免覆盖它。"
                               "现在显示的是数据库中的最新内容，请看过后再修改。"));
}

Result Dataset::postWithRowTotals()
{
    if (!isWritable() || m_current < 0)
        return fail(QStringLiteral("没有可以保存的记录"));
    if (m_state == State::Insert) {
        if (Result inserted = post(); !inserted)
            return inserted;
    }
    QList<int> fields;
    if (m_state == State::Edit)
        fields = m_modified.values();
    std::sort(fields.begin(), fields.end());
    QStringList names;
    QVariantList values;
    QVariantList shown;
    for (int index : std::as_const(fields)) {
        names << m_fields.at(index);
        values << m_rows.at(m_current).values.at(index);
        shown << m_saved.value(index);
    }
    const QString table = m_query.writeTable;
    const qint64 id = m_rows.at(m_current).rowId;
    int written = 1;
    // The score columns are read from the file under the write lock: a column another
    // program has just added counts too.
    const Result wrote = m_database.writeTransaction([&]() -> Result {
        const QStringList scores = GradeBookTable::scoreColumns(m_database.columnDefinitions(table));
        if (names.isEmpty() && scores.isEmpty())
            return Result::success();
        return m_database.execute(Sql::updateRowWithTotals(table, names, values, scores, id, shown), &written);
    });
    if (!wrote)
        return fail(wrote.error);
    if (written == 0)
        return changedElsewhere();
    return stored();
}

Result Dataset::stored()
{
    m_state = State::Browse;
    m_modified.clear();
    m_saved.clear();
    m_lastError.clear();
    rereadCurrent();
    return Result::success();
}

void Dataset::cancel()
{
    if (m_state == State::Edit) {
        QVector<QVariant> &values = m_rows[m_current].values;
        m_state = State::Browse;
        for (int i = 0; i < values.size(); ++i) {
            if (!identical(values.at(i), m_saved.value(i))) {
                values[i] = m_saved.value(i);
                Q_EMIT valueChanged(m_fields.at(i));
            }
        }
    } else if (m_state == State::Insert) {
        replaceRows([this] {
            m_rows.removeAt(m_current);
            m_state = State::Browse;
            m_current = int(m_rows.size()) - 1;
            m_eof = m_rows.isEmpty();
            m_bof = m_rows.isEmpty();
        });
        Q_EMIT currentRowChanged();
    }
    m_modified.clear();
    m_saved.clear();
}

Result Dataset::deleteCurrent()
{
    if (!isOpen() || m_current < 0)
        return fail(QStringLiteral("没有可以删除的记录"));
    if (m_state == State::Insert) {
        cancel();
        return Result::success();
    }
    if (!isWritable())
        return fail(QStringLiteral("该数据集不能修改"));
    if (m_state == State::Edit)
        cancel();

    QSqlQuery sql(m_database.connection());
    if (Result prepared
        = m_database.prepare(sql, QStringLiteral("DELETE FROM %1 WHERE rowid=?").arg(Sql::quoted(m_query.writeTable)));
        !prepared)
        return fail(prepared.error);
    sql.addBindValue(m_rows.at(m_current).rowId);
    if (Result ran = m_database.exec(sql); !ran)
        return fail(ran.error);

    replaceRows([this] {
        m_rows.removeAt(m_current);
        m_current = std::min(m_current, int(m_rows.size()) - 1);
        m_eof = m_rows.isEmpty();
        m_bof = m_rows.isEmpty();
    });
    Q_EMIT currentRowChanged();
    return Result::success();
}

bool Dataset::isWritable() const
{
    return isOpen() && !m_query.writeTable.isEmpty();
}

void Dataset::setMaster(Dataset *master)
{
    for (const QMetaObject::Connection &connection : std::as_const(m_masterConnections))
        disconnect(connection);
    m_masterConnections.clear();
    m_master = master;
    if (master) {
        m_masterConnections << connect(master, &Dataset::currentRowChanged, this, &Dataset::refreshFromMaster)
                            << connect(master, &Dataset::valueChanged, this,
                                   [this](const QString &field) {
                                       if (field.compare(m_query.parameter, Qt::CaseInsensitive) == 0)
                                           refreshFromMaster();
                                   })
                            << connect(master, &QObject::destroyed, this, &Dataset::refreshFromMaster);
    }
    refreshFromMaster();
}

bool Dataset::postIfEditing()
{
    if (m_state != State::Edit && m_state != State::Insert)
        return true;
    if (m_modified.isEmpty() && m_state == State::Insert) {
        cancel();
        return true;
    }
    return bool(post());
}

void Dataset::setCurrent(int row)
{
    if (row == m_current)
        return;
    m_current = row;
    Q_EMIT currentRowChanged();
}

void Dataset::replaceRows(const std::function<void()> &change)
{
    Q_EMIT rowsAboutToBeReset();
    change();
    Q_EMIT rowsReset();
}

Result Dataset::fail(const QString &message)
{
    m_lastError = message;
    return Result::failure(message);
}

QVariant Dataset::masterParameter() const
{
    if (m_query.parameter.isEmpty() || !m_master || !m_master->isOpen() || m_master->currentRow() < 0)
        return {};
    const QVariant value = m_master->value(m_query.parameter);
    return value.isValid() ? value : QVariant();
}

void Dataset::refreshFromMaster()
{
    if (!isOpen() || m_query.parameter.isEmpty())
        return;
    if (identical(masterParameter(), m_parameterValue))
        return;
    // What the teacher typed is not dropped because the engine refused it (a busy file):
    // the row stays, with the edit, until a post succeeds.
    if ((m_state == State::Edit || m_state == State::Insert) && !postIfEditing()) {
        Q_EMIT pendingEditKept(m_lastError);
        return;
    }
    (void)open();
}

qint64 Dataset::currentRowId() const
{
    if (m_current < 0 || m_current >= m_rows.size())
        return -1;
    return m_rows.at(m_current).rowId;
}

qint64 Dataset::rowId(int row) const
{
    if (row < 0 || row >= m_rows.size())
        return -1;
    return m_rows.at(row).rowId;
}

int Dataset::rowOf(qint64 rowId) const
{
    if (m_query.writeTable.isEmpty() || rowId < 0)
        return -1;
    for (int row = 0; row < m_rows.size(); ++row) {
        if (m_rows.at(row).rowId == rowId)
            return row;
    }
    return -1;
}

void Dataset::refreshCurrent()
{
    if (currentRowId() < 0 || m_query.writeTable.isEmpty())
        return;
    rereadCurrent();
}

ReadResult<QVariant> Dataset::readStored(const QString &column) const
{
    if (currentRowId() < 0 || m_query.writeTable.isEmpty())
        return ReadResult<QVariant>::failure(QStringLiteral("没有可以读取的记录"));
    QSqlQuery sql(m_database.connection());
    Result ran = m_database.prepare(
        sql, QStringLiteral("SELECT %1 FROM %2 WHERE rowid=?").arg(Sql::quoted(column), Sql::quoted(m_query.writeTable)));
    if (ran) {
        sql.addBindValue(currentRowId());
        ran = m_database.exec(sql);
    }
    if (!ran)
        return ReadResult<QVariant>::failure(ran.error);
    return ReadResult<QVariant>::success(sql.next() ? sql.value(0) : QVariant());
}

Result Dataset::writeStored(const QString &column, const QVariant &value)
{
    if (currentRowId() < 0 || m_query.writeTable.isEmpty() || m_state == State::Insert)
        return fail(QStringLiteral("没有可以写入的记录"));
    QSqlQuery sql(m_database.connection());
    if (Result prepared = m_database.prepare(
            sql, QStringLiteral("UPDATE %1 SET %2=? WHERE rowid=?").arg(Sql::quoted(m_query.writeTable), Sql::quoted(column)));
        !prepared)
        return fail(prepared.error);
    sql.addBindValue(value);
    sql.addBindValue(currentRowId());
    if (Result ran = m_database.exec(sql); !ran)
        return fail(ran.error);
    return Result::success();
}

void Dataset::rereadCurrent()
{
    // Show what the engine stored (type conversions), not what was typed.
    QStringList names;
    for (const QString &field : std::as_const(m_fields))
        names << Sql::quoted(field);
    QSqlQuery sql(m_database.connection());
    if (!m_database.prepare(sql,
            QStringLiteral("SELECT %1 FROM %2 WHERE rowid=?").arg(names.join(QLatin1Char(',')), Sql::quoted(m_query.writeTable))))
        return;
    sql.addBindValue(m_rows.at(m_current).rowId);
    if (!m_database.exec(sql) || !sql.next())
        return;
    QVector<QVariant> &values = m_rows[m_current].values;
    for (int i = 0; i < values.size(); ++i) {
        const QVariant stored = sql.value(i);
        if (!identical(values.at(i), stored) || values.at(i).typeId() != stored.typeId()) {
            values[i] = stored;
            Q_EMIT valueChanged(m_fields.at(i));
        }
    }
}
