#pragma once

#include <QFont>
#include <QHash>
#include <QList>
#include <QStaticText>
#include <QStyledItemDelegate>

/// How the main grid shows and edits its cells: every cell, number or text, is edited
/// in a plain text box that starts with exactly what the cell shows (61, not 61.00), and
/// numbers are shown without group separators, so what is shown can be typed back.
class GridCellDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    /// The text a cell shows.
    QString shownText(const QModelIndex &index) const;

    QString displayText(const QVariant &value, const QLocale &locale) const override;
    /// A cell of one line of plain text that fits draws its text from laid-out text kept
    /// by value (a grade book repeats few texts: scores, groups); the rest as the style does.
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    /// Writes the editor's text only when it differs from what the cell shows.
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;

private:
    const QStaticText &laidOut(const QString &text, const QFont &font) const;

    struct FontTexts {
        QFont font;
        QHash<QString, QStaticText> texts;
    };
    mutable QList<FontTexts> m_texts;
};
