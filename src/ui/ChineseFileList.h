#pragma once

#include <QIdentityProxyModel>

/// The file list of the file dialogs with its size, type and date columns in Chinese,
/// whatever the machine's locale: Qt's own file model words them in the system's language.
class ChineseFileList final : public QIdentityProxyModel {
    Q_OBJECT

public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
};
