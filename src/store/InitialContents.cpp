#include "InitialContents.h"

#include "TableNames.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

// A sample class of fictional students; the groups are six blocks of six.
const char16_t *const kSampleNames[] = {
    u"王子轩", u"李思雨", u"张浩然", u"刘欣怡", u"陈宇航", u"杨雨桐",
    u"赵子涵", u"黄一鸣", u"周佳琪", u"吴俊杰", u"徐梦瑶", u"孙嘉豪",
    u"胡晓东", u"朱诗涵", u"高文博", u"林可欣", u"何志强", u"郭雅婷",
    u"马天宇", u"罗静怡", u"梁家乐", u"宋雨萱", u"郑明轩", u"谢丽娟",
    u"韩冰", u"唐晨曦", u"冯建国", u"于晓雪", u"董浩宇", u"萧婉清",
    u"程子健", u"曹欣然", u"袁博文", u"邓思琪", u"许凯", u"傅雨晴",
};

} // namespace

Result createInitialContents(Database &database)
{
    const auto createTable = [](const QString &table, const QList<ColumnDefinition> &columns) {
        QStringList definitions;
        for (const ColumnDefinition &column : columns)
            definitions << Sql::columnDefinition(column);
        Statement statement;
        statement.text = QStringLiteral("CREATE TABLE %1 (%2)").arg(Sql::quoted(table), definitions.join(QLatin1Char(',')));
        return statement;
    };
    const QList<Statement> tables{
        createTable(kMasterRosterTable, {{QStringLiteral("编号"), QStringLiteral("INT NULL")},
                                         {QStringLiteral("姓名"), QStringLiteral("VARCHAR(8) NULL")},
                                         {QStringLiteral("小组"), QStringLiteral("INT NULL")},
                                         {QStringLiteral("合计"), QStringLiteral("INT NULL")},
                                         {QStringLiteral("平均"), QStringLiteral("FLOAT NULL")},
                                         {QStringLiteral("名次"), QStringLiteral("INT NULL")}}),
        createTable(kPortraitTable, {{QStringLiteral("姓名"), QStringLiteral("CHAR(10) NULL")},
                                     {QStringLiteral("相片"), QStringLiteral("BLOB NULL")},
                                     {QStringLiteral("宣言"), QStringLiteral("VARCHAR(50) NULL")}}),
    };
    // Only what is missing is made: an existing table keeps its rows.
    const bool hasMasterRoster = database.tableExists(kMasterRosterTable);
    QList<Statement> missing;
    if (!hasMasterRoster)
        missing << tables.at(0);
    if (!database.tableExists(kPortraitTable))
        missing << tables.at(1);
    return database.transaction([&] {
        if (Result created = database.runInTransaction(missing); !created)
            return created;
        if (hasMasterRoster)
            return Result::success();
        QSqlQuery insert(database.connection());
        insert.prepare(QStringLiteral("INSERT INTO %1 ([编号],[姓名],[小组]) VALUES (?,?,?)").arg(Sql::quoted(kMasterRosterTable)));
        int number = 0;
        for (const char16_t *name : kSampleNames) {
            insert.addBindValue(number + 1);
            insert.addBindValue(QString::fromUtf16(name));
            insert.addBindValue(number / 6 + 1);
            if (!insert.exec())
                return Result::failure(insert.lastError().databaseText());
            ++number;
        }
        return Result::success();
    });
}
