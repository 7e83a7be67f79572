#include "GridCellDelegate.h"

#include <QLineEdit>

QString GridCellDelegate::shownText(const QModelIndex &index) const
{
    const QVariant value = index.data(Qt::DisplayRole);
    return value.isValid() ? displayText(value, QLocale()) : QString();
}

QString GridCellDelegate::displayText(const QVariant &value, const QLocale &locale) const
{
    QLocale plain = locale;
    plain.setNumberOptions(plain.numberOptions() | QLocale::OmitGroupSeparator);
    return QStyledItemDelegate::displayText(value, plain);
}

QWidget *GridCellDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const
{
    auto *editor = new QLineEdit(parent);
    editor->setFrame(false);
    const QVariant alignment = index.data(Qt::TextAlignmentRole);
    if (alignment.isValid())
        editor->setAlignment(Qt::Alignment(alignment.toInt()));
    return editor;
}

void GridCellDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *line = qobject_cast<QLineEdit *>(editor))
        line->setText(shownText(index));
}

void GridCellDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    const auto *line = qobject_cast<QLineEdit *>(editor);
    if (line && line->text() != shownText(index))
        model->setData(index, line->text(), Qt::EditRole);
}
