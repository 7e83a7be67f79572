#include "StoreOpening.h"

#include "store/DataFiles.h"
#include "store/DataPaths.h"

namespace StoreOpening {

Result open(Database &database, ProgramDataFiles &dataFiles, const DataPaths &paths, const QString &serverSetting,
    QString *warning)
{
    if (serverSetting.isEmpty()) {
        // A data folder that cannot be made is named by the connection's own refusal.
        const Result prepared = paths.prepare();
        if (Result opened = database.open(paths); !opened)
            return opened;
        if (!prepared)
            *warning = prepared.error;
        return Result::success();
    }
    QString refusal;
    const std::optional<DatabaseUrl> server = DatabaseUrl::parse(serverSetting, &refusal);
    if (!server)
        return Result::failure(refusal);
    if (Result opened = database.openServer(*server); !opened)
        return opened;
    // The lists and settings live on the server, the shipped ones its first Data files; the
    // local Data folder is only where the file dialogs start (templates, comment lists).
    (void)paths.makeDataFolder();
    if (Result prepared = dataFiles.table().prepare(paths.shippedDataFolder()); !prepared)
        return Result::failure(
            QStringLiteral("无法在数据库%1上保存班级名单、密码和评语设定：%2").arg(database.shownName(), prepared.error));
    return Result::success();
}

} // namespace StoreOpening
