#include "EntryGrid.h"

#include "store/LineFile.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyledItemDelegate>

#include <algorithm>

namespace {
/// Cell editors report their keys to the grid first, so a pasted column is spread over rows.
class CellDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (editor)
            editor->installEventFilter(this->parent());
        return editor;
    }
};

/// Text copied from a spreadsheet or a text file: it ends its cells with tabs or line breaks.
bool holdsCells(const QString &text)
{
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\t'));
}
} // namespace

EntryGrid::EntryGrid(QWidget *parent)
    : QTableWidget(kDataRows, 2, parent)
{
    setObjectName(QStringLiteral("StringGrid1"));
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(18);
    horizontalHeader()->setStretchLastSection(true);
    // One weight for the whole title row: the current column's title is not set in bold.
    horizontalHeader()->setHighlightSections(false);
    setHorizontalHeaderItem(0, new QTableWidgetItem(QStringLiteral("编号")));
    setHorizontalHeaderItem(1, new QTableWidgetItem(QString()));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTabKeyNavigation(true);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed
        | QAbstractItemView::AnyKeyPressed);
    setItemDelegate(new CellDelegate(this));
    reset(EntryKind::None);
}

void EntryGrid::reset(EntryKind kind)
{
    horizontalHeaderItem(0)->setText(QStringLiteral("编号"));
    if (kind != EntryKind::None)
        horizontalHeaderItem(1)->setText(EntryKinds::columnTitle(kind));
    const QBrush fixed = palette().brush(QPalette::Button);
    for (int row = 0; row < kDataRows; ++row) {
        auto *number = new QTableWidgetItem(QString::number(row + 1));
        number->setFlags(Qt::ItemIsEnabled);
        number->setBackground(fixed);
        number->setTextAlignment(Qt::AlignCenter);
        setItem(row, 0, number);
        setItem(row, 1, new QTableWidgetItem(QString()));
    }
    setColumnWidth(0, 40);
    setCurrentCell(0, 1);
}

QString EntryGrid::cellText(int row) const
{
    const QTableWidgetItem *cell = item(row - 1, 1);
    return cell ? cell->text() : QString();
}

void EntryGrid::setCellText(int row, const QString &text)
{
    if (row < 1 || row > kDataRows)
        return;
    if (QTableWidgetItem *cell = item(row - 1, 1))
        cell->setText(text);
    else
        setItem(row - 1, 1, new QTableWidgetItem(text));
}

QStringList EntryGrid::cellTexts() const
{
    QStringList texts;
    texts.reserve(kDataRows);
    for (int row = 1; row <= kDataRows; ++row)
        texts << cellText(row);
    return texts;
}

void EntryGrid::pasteText(const QString &text)
{
    int row = std::max(currentRow(), 0) + 1;
    for (const QString &line : LineFile::splitLines(text)) {
        if (row > kDataRows)
            break;
        setCellText(row++, line.section(QLatin1Char('\t'), 0, 0));
    }
}

void EntryGrid::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Paste)) {
        pasteText(QApplication::clipboard()->text());
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

QModelIndex EntryGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    if (action != MoveNext && action != MovePrevious)
        return QTableWidget::moveCursor(action, modifiers);
    const int row = std::clamp(currentRow() + (action == MoveNext ? 1 : -1), 0, kDataRows - 1);
    return model()->index(row, 1);
}

bool EntryGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Paste)) {
        const QString text = QApplication::clipboard()->text();
        if (holdsCells(text)) {
            if (auto *editor = qobject_cast<QWidget *>(watched))
                closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
            pasteText(text);
            return true;
        }
    }
    return QTableWidget::eventFilter(watched, event);
}
