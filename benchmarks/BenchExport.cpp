// Exports a grade book of 5,000 students × 36 columns through 导出至Excel and writes the
// same cells with libxlsxwriter alone; prints both times and their ratio.
#include "ContextFixture.h"
#include "ScriptedMainView.h"
#include "export/ExportCommands.h"
#include "store/Statements.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>

#include <xlsxwriter.h>

namespace {
constexpr int kStudents = 5000;
constexpr int kScoreColumns = 31; // 编号, 姓名, 小组 + 31 scores + 总分, 平均 = 36 columns
constexpr double kTargetSeconds = 1.0;
constexpr double kTargetRatio = 1.5;
constexpr int kRounds = 5;

bool fillGradeBook(Database &database, const QString &table)
{
    QStringList definitions{QStringLiteral("[编号] INT"), QStringLiteral("[姓名] VARCHAR(8)"), QStringLiteral("[小组] INT")};
    for (int i = 1; i <= kScoreColumns; ++i)
        definitions << QStringLiteral("[测验%1] FLOAT").arg(i);
    definitions << QStringLiteral("[总分] FLOAT") << QStringLiteral("[平均] FLOAT");
    QSqlDatabase connection = database.connection();
    QSqlQuery sql(connection);
    if (!sql.exec(QStringLiteral("CREATE TABLE [%1] (%2)").arg(table, definitions.join(QLatin1Char(',')))))
        return false;
    connection.transaction();
    QStringList marks(int(definitions.size()), QStringLiteral("?"));
    sql.prepare(QStringLiteral("INSERT INTO [%1] VALUES (%2)").arg(table, marks.join(QLatin1Char(','))));
    for (int number = 1; number <= kStudents; ++number) {
        sql.addBindValue(number);
        sql.addBindValue(QStringLiteral("学生%1").arg(number));
        sql.addBindValue(number % 8 + 1);
        double total = 0;
        for (int i = 1; i <= kScoreColumns; ++i) {
            // Every seventh score missing (NULL), the rest with halves.
            if ((number + i) % 7 == 0) {
                sql.addBindValue(QVariant());
            } else {
                const double score = (number * 31 + i * 17) % 101 / 2.0 + 50;
                total += score;
                sql.addBindValue(score);
            }
        }
        sql.addBindValue(total);
        sql.addBindValue(int(total / kScoreColumns));
        if (!sql.exec())
            return false;
    }
    return connection.commit();
}

/// The same cells written with libxlsxwriter alone, from values already at hand.
double writeDirectly(const QString &path, const QString &title, const Dataset &query)
{
    QVector<QByteArray> names;
    for (const QString &name : query.fieldNames())
        names << name.toUtf8();
    struct Cell {
        bool empty = true;
        bool number = false;
        double value = 0;
        QByteArray text;
    };
    QVector<QVector<Cell>> cells(query.rowCount());
    for (int row = 0; row < query.rowCount(); ++row) {
        for (int column = 0; column < query.fieldCount(); ++column) {
            const QVariant value = query.value(row, column);
            Cell cell;
            cell.empty = value.isNull();
            cell.number = value.typeId() != QMetaType::QString;
            cell.value = value.toDouble();
            cell.text = value.toString().toUtf8();
            cells[row] << cell;
        }
    }
    const QByteArray titleText = title.toUtf8();

    QElapsedTimer clock;
    clock.start();
    lxw_workbook *workbook = workbook_new(path.toUtf8().constData());
    lxw_worksheet *sheet = workbook_add_worksheet(workbook, nullptr);
    worksheet_write_string(sheet, 0, 0, titleText.constData(), nullptr);
    for (int column = 0; column < names.size(); ++column)
        worksheet_write_string(sheet, 1, lxw_col_t(column), names.at(column).constData(), nullptr);
    for (int row = 0; row < cells.size(); ++row) {
        for (int column = 0; column < cells.at(row).size(); ++column) {
            const Cell &cell = cells.at(row).at(column);
            if (cell.empty)
                continue;
            if (cell.number)
                worksheet_write_number(sheet, lxw_row_t(row + 2), lxw_col_t(column), cell.value, nullptr);
            else
                worksheet_write_string(sheet, lxw_row_t(row + 2), lxw_col_t(column), cell.text.constData(), nullptr);
        }
    }
    workbook_close(workbook);
    return double(clock.nsecsElapsed()) / 1e9;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    // A throw-away program folder with its database, queries, login state and prompter.
    ContextFixture fixture(QStringLiteral("bench"));
    ScriptedMainView view(fixture);
    fixture.login.className = QStringLiteral("测试班");
    fixture.login.subject = QStringLiteral("语文");
    fixture.login.mode = kModeGradeBook;
    const QString table = fixture.login.tables().currentTable();
    if (!fillGradeBook(fixture.database, table)) {
        out << "cannot build the grade book\n";
        return 2;
    }
    Dataset &query = fixture.query;
    query.setQuery(Sql::showAll(table));
    if (!query.open()) {
        out << "cannot open the grade book\n";
        return 2;
    }
    QTemporaryDir folder;
    int opened = 0;
    ExportCommands commands(
        fixture.context, view,
        [&opened](const QString &, const std::function<void(bool)> &done) {
            ++opened;
            done(true);
        },
        folder.filePath(QStringLiteral("out")));

    // The best of a few rounds each, so that a neighbour's build does not decide it.
    double exportSeconds = 1e9;
    double directSeconds = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        query.first();
        QElapsedTimer clock;
        clock.start();
        commands.N29Click();
        exportSeconds = std::min(exportSeconds, double(clock.nsecsElapsed()) / 1e9);
        QFile::remove(commands.lastWorkbook());
        directSeconds = std::min(directSeconds, writeDirectly(folder.filePath(QStringLiteral("direct.xlsx")), table, query));
    }
    const double ratio = exportSeconds / directSeconds;
    out << kStudents << " x " << query.fieldCount() << " cells\n"
        << "导出至Excel: " << QString::number(exportSeconds * 1000, 'f', 1) << " ms\n"
        << "libxlsxwriter alone: " << QString::number(directSeconds * 1000, 'f', 1) << " ms\n"
        << "ratio: " << QString::number(ratio, 'f', 2) << '\n';
    const bool met
        = fixture.prompter.calls().isEmpty() && opened == kRounds && exportSeconds < kTargetSeconds && ratio <= kTargetRatio;
    out << (met ? "target met" : "target missed") << ": under " << kTargetSeconds << " s and at most " << kTargetRatio
        << " x libxlsxwriter alone\n";
    return met ? 0 : 1;
}
