#include "EntryPanel.h"

#include "EntryGrid.h"
#include "ui/Artwork.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kHideGrid = QStringLiteral("隐藏网格");
const QString kShowGrid = QStringLiteral("显示网格");

QToolButton *iconButton(const QString &name, const QString &hint, QStyle::StandardPixmap icon, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    // The style's hard-disk picture reads as greyed out: ours is drawn in colour.
    const QIcon drawn = Artwork::panelIcon(hint);
    button->setIcon(drawn.isNull() ? parent->style()->standardIcon(icon) : drawn);
    button->setAutoRaise(true);
    button->setFixedSize(25, 25);
    return button;
}

QPushButton *textButton(const QString &name, const QString &caption, const QString &hint, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setToolTip(hint);
    return button;
}

} // namespace

EntryPanel::EntryPanel(QWidget *parent)
    : QWidget(parent)
    , m_open(iconButton(QStringLiteral("openToolButton"), QStringLiteral("打开"), QStyle::SP_DialogOpenButton, this))
    , m_save(iconButton(QStringLiteral("saveToolButton"), QStringLiteral("保存"), QStyle::SP_DialogSaveButton, this))
    , m_saveDefault(
          iconButton(QStringLiteral("saveDefaultToolButton"), QStringLiteral("保存为默认模板"), QStyle::SP_DriveHDIcon, this))
    , m_loadDefault(iconButton(
          QStringLiteral("loadDefaultToolButton"), QStringLiteral("导入默认模板"), QStyle::SP_FileDialogContentsView, this))
    , m_import(iconButton(QStringLiteral("importToolButton"), QStringLiteral("从母版中导入"), QStyle::SP_FileDialogStart, this))
    , m_gridToggle(iconButton(QStringLiteral("SpeedButton3"), kHideGrid, QStyle::SP_FileDialogDetailedView, this))
    , m_inputArea(new QGridLayout)
    , m_memo(new QPlainTextEdit(this))
    , m_grid(new EntryGrid(this))
    , m_add(textButton(QStringLiteral("BitBtn3"), QStringLiteral("添加"), QStringLiteral("批量添加"), this))
    , m_delete(textButton(QStringLiteral("BitBtn4"), QStringLiteral("删除"), QStringLiteral("删除该生记录"), this))
    , m_hide(textButton(QStringLiteral("BitBtn1"), QStringLiteral("隐藏"), QStringLiteral("隐藏录入窗口"), this))
{
    setObjectName(QStringLiteral("Panel1"));
    setFixedWidth(160);

    auto *toolbar = new QHBoxLayout;
    toolbar->setSpacing(0);
    for (QToolButton *button : {m_open, m_save, m_saveDefault, m_loadDefault, m_import, m_gridToggle})
        toolbar->addWidget(button);
    toolbar->addStretch(1);

    m_memo->setObjectName(QStringLiteral("Memo1"));
    m_memo->setToolTip(QStringLiteral("请输入内容和回车"));
    m_memo->setAccessibleName(QStringLiteral("请输入内容和回车"));
    // One line of the memo is one entry: no line is wrapped into two.
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memo->viewport()->installEventFilter(this);
    m_inputArea->setContentsMargins(0, 0, 0, 0);
    m_inputArea->addWidget(m_memo, 0, 0);
    m_inputArea->addWidget(m_grid, 0, 0);
    m_grid->raise();

    auto *bottom = new QHBoxLayout;
    bottom->setSpacing(2);
    for (QPushButton *button : {m_add, m_delete, m_hide})
        bottom->addWidget(button);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addLayout(toolbar);
    layout->addLayout(m_inputArea, 1);
    layout->addLayout(bottom);

    connect(m_open, &QToolButton::clicked, this, &EntryPanel::openClicked);
    connect(m_save, &QToolButton::clicked, this, &EntryPanel::saveClicked);
    connect(m_saveDefault, &QToolButton::clicked, this, &EntryPanel::saveDefaultClicked);
    connect(m_loadDefault, &QToolButton::clicked, this, &EntryPanel::loadDefaultClicked);
    connect(m_import, &QToolButton::clicked, this, &EntryPanel::importClicked);
    connect(m_gridToggle, &QToolButton::clicked, this, &EntryPanel::SpeedButton3Click);
    connect(m_add, &QPushButton::clicked, this, &EntryPanel::addClicked);
    connect(m_delete, &QPushButton::clicked, this, &EntryPanel::deleteClicked);
    connect(m_hide, &QPushButton::clicked, this, &EntryPanel::hideClicked);
}

EntryInput EntryPanel::input() const
{
    EntryInput input;
    input.gridInUse = m_gridInUse;
    input.gridCells = m_grid->cellTexts();
    input.memoText = m_memo->toPlainText();
    return input;
}

void EntryPanel::resetInput(EntryKind kind)
{
    m_grid->reset(kind);
    m_memo->clear();
}

void EntryPanel::setToolbarEnabled(bool enabled)
{
    for (QToolButton *button : {m_open, m_save, m_saveDefault, m_loadDefault, m_import, m_gridToggle})
        button->setEnabled(enabled);
}

void EntryPanel::addToInputArea(QWidget *widget)
{
    m_inputArea->addWidget(widget, 0, 0);
}

bool EntryPanel::focusGrid()
{
    if (!isVisible() || !m_grid->isVisible())
        return false;
    m_grid->setFocus();
    return true;
}

int EntryPanel::caretLine() const
{
    return m_memo->textCursor().blockNumber() + 1;
}

void EntryPanel::SpeedButton3Click()
{
    m_gridInUse = !m_gridInUse;
    // The keys go to the input in use, not to the memo behind the grid or to nothing. The
    // memo takes the focus before the grid goes: a grid hidden with the focus passes it on
    // as a Tab would, moving its own current row.
    if (isVisible())
        (m_gridInUse ? static_cast<QWidget *>(m_grid) : m_memo)->setFocus();
    m_grid->setVisible(m_gridInUse);
    if (m_gridInUse && isVisible())
        m_grid->setFocus();
    const QString hint = m_gridInUse ? kHideGrid : kShowGrid;
    m_gridToggle->setToolTip(hint);
    m_gridToggle->setAccessibleName(hint);
    if (!m_gridInUse)
        m_memo->clear();
}

bool EntryPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_memo->viewport() && event->type() == QEvent::MouseButtonRelease) {
        // The caret has moved by the time the button is released.
        Q_EMIT caretLineChanged(caretLine());
    }
    return QWidget::eventFilter(watched, event);
}
