#include "InitialContents.h"

#include "TableNames.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

// A sample class of fictional students; the groups are six blocks of six.
const char16_t *const kSampleNames[] = {
    u"王子轩",
    u"李思雨",
    u"张浩然",
    u"刘欣怡",
    u"陈宇航",
    u"杨雨桐",
    u"赵子涵",
    u"黄一鸣",
    u"周佳琪",
    u"吴俊杰",
    u"徐梦瑶",
    u"孙嘉豪",
    u"胡晓东",
    u"朱诗涵",
    u"高文博",
    u"林可欣",
    u"何志强",
    u"郭雅婷",
    u"马天宇",
    u"罗静怡",
    u"梁家乐",
    u"宋雨萱",
    u"郑明轩",
    u"谢丽娟",
    u"韩冰",
    u"唐晨曦",
    u"冯建国",
    u"于晓雪",
    u"董浩宇",
    u"萧婉清",
    u"程子健",
    u"曹欣然",
    u"袁博文",
    u"邓思琪",
    u"许凯",
    u"傅雨晴",
};

} // namespace

Result createInitialContents(Database &database)
{
    const QList<Statement> tables{
        Sql::createTable(kMasterRosterTable, Schema::roster()),
        Sql::createTable(kPortraitTable, Schema::portraits()),
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
        if (Result prepared = database.prepare(insert,
                QStringLiteral("INSERT INTO %1 (%2,%3,%4) VALUES (?,?,?)")
                    .arg(Sql::quoted(kMasterRosterTable), Sql::quoted(Column::kNumber), Sql::quoted(Column::kName),
                        Sql::quoted(Column::kGroup)));
            !prepared)
            return prepared;
        int number = 0;
        for (const char16_t *name : kSampleNames) {
            insert.addBindValue(number + 1);
            insert.addBindValue(QString::fromUtf16(name));
            insert.addBindValue(number / 6 + 1);
            if (Result ran = database.exec(insert); !ran)
                return ran;
            ++number;
        }
        return Result::success();
    });
}
