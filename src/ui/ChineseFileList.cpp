#include "ChineseFileList.h"

#include <QDateTime>
#include <QFileSystemModel>
#include <QLocale>

namespace {
enum Column {
    Name,
    Size,
    Type,
    Modified
};
} // namespace

QVariant ChineseFileList::data(const QModelIndex &index, int role) const
{
    const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
    if (role != Qt::DisplayRole || !files || index.column() == Name)
        return QIdentityProxyModel::data(index, role);

    const QModelIndex source = mapToSource(index);
    const QFileInfo info = files->fileInfo(source);
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    switch (index.column()) {
    case Size:
        if (info.isDir())
            return QString();
        if (info.size() < 1024)
            return QStringLiteral("%1 字节").arg(info.size());
        return chinese.formattedDataSize(info.size(), 1, QLocale::DataSizeTraditionalFormat);
    case Type:
        if (info.isDir())
            return QStringLiteral("文件夹");
        return info.suffix().isEmpty() ? QStringLiteral("文件") : info.suffix().toUpper() + QStringLiteral(" 文件");
    case Modified: return chinese.toString(files->lastModified(source), QStringLiteral("yyyy/M/d HH:mm"));
    default: return QIdentityProxyModel::data(index, role);
    }
}
