#include "GridCellDelegate.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>

#include <algorithm>

namespace {
/// Laid-out texts kept at most; a screen shows far fewer different ones.
constexpr qsizetype kKeptTexts = 4096;
constexpr qsizetype kKeptFonts = 4;
}

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

const QStaticText &GridCellDelegate::laidOut(const QString &text, const QFont &font) const
{
    auto kept = std::find_if(m_texts.begin(), m_texts.end(), [&](const FontTexts &texts) { return texts.font == font; });
    if (kept == m_texts.end()) {
        // A few fonts at a time (the grid's, a bold row's); the oldest gives way.
        if (m_texts.size() >= kKeptFonts)
            m_texts.removeFirst();
        m_texts.append({font, {}});
        kept = std::prev(m_texts.end());
    }
    QHash<QString, QStaticText> &texts = kept->texts;
    if (texts.size() >= kKeptTexts)
        texts.clear();
    auto laid = texts.find(text);
    if (laid == texts.end()) {
        QStaticText line(text);
        line.setTextFormat(Qt::PlainText);
        line.prepare(QTransform(), font);
        laid = texts.insert(text, line);
    }
    return *laid;
}

void GridCellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    // Most cells of a grade book: one line of plain text, neither selected nor current.
    // The others (a mark, a picture, a selection, the focus, a text too wide for its cell)
    // are drawn by the style.
    const bool plain = !cell.text.isEmpty()
        && !(cell.features & (QStyleOptionViewItem::HasDecoration | QStyleOptionViewItem::HasCheckIndicator))
        && !(cell.state & (QStyle::State_Selected | QStyle::State_HasFocus)) && cell.direction == Qt::LeftToRight
        && !cell.text.contains(QLatin1Char('\n')) && !cell.text.contains(QChar::LineSeparator);
    if (!plain) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const QWidget *widget = cell.widget;
    const QStyle *style = widget ? widget->style() : QApplication::style();
    // The text's room: the cell less the style's text margin on either side.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect room = cell.rect.adjusted(margin, 0, -margin, 0);
    const QStaticText &text = laidOut(cell.text, cell.font);
    const QSizeF exact = text.size();
    if (exact.width() > room.width()) {
        // Too wide: the style cuts it to an ellipsis.
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const QPalette::ColorGroup group = !(cell.state & QStyle::State_Enabled) ? QPalette::Disabled
        : (cell.state & QStyle::State_Active)                              ? QPalette::Normal
                                                                            : QPalette::Inactive;
    painter->save();
    painter->setClipRect(cell.rect, Qt::IntersectClip);
    // The cell's background (its colour, the alternate row's) as the style draws it.
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &cell, painter, widget);
    painter->setFont(cell.font);
    painter->setPen(cell.palette.color(group, QPalette::Text));
    // Placed as the style places a line: across at the exact offset its alignment gives,
    // down in whole pixels.
    const Qt::Alignment across = cell.displayAlignment & Qt::AlignHorizontal_Mask;
    const qreal x = across & Qt::AlignHCenter ? room.x() + (room.width() - exact.width()) / 2
        : across & Qt::AlignRight             ? room.x() + room.width() - exact.width()
                                              : room.x();
    const int y = QStyle::alignedRect(cell.direction, cell.displayAlignment & Qt::AlignVertical_Mask,
        QSize(room.width(), int(exact.height())), room)
                      .top();
    painter->drawStaticText(QPointF(x, y), text);
    painter->restore();
}
