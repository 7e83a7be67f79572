#include "Unit7.h"

#include <QEvent>
#include <QFont>
#include <QKeyEvent>
#include <QPalette>
#include <QScreen>
#include <QScrollBar>
#include <QTextEdit>

TForm7::TForm7(QWidget *centreOn)
    : QWidget(centreOn, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_centreOn(centreOn)
    , m_memo(new QTextEdit(this))
    , m_focusHolder(new QWidget(this))
{
    setObjectName(QStringLiteral("Form7"));
    setAccessibleName(QStringLiteral("评语"));
    setFixedSize(438, 97);

    m_memo->setObjectName(QStringLiteral("Memo1"));
    m_memo->setAccessibleName(QStringLiteral("评语"));
    m_memo->setGeometry(rect());
    m_memo->setReadOnly(true);
    m_memo->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_memo->setLineWidth(2);
    m_memo->setFocusPolicy(Qt::NoFocus);
    m_memo->setTextInteractionFlags(Qt::NoTextInteraction);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_memo->setToolTip(QStringLiteral("单击隐藏"));
    m_memo->viewport()->setToolTip(QStringLiteral("单击隐藏"));
    m_memo->viewport()->setCursor(Qt::PointingHandCursor);
    setCursor(Qt::PointingHandCursor);

    QFont font(QStringLiteral("华文行楷"));
    font.setPixelSize(35);
    font.setBold(true);
    m_memo->setFont(font);
    QPalette palette = m_memo->palette();
    palette.setColor(QPalette::Base, Qt::yellow);
    palette.setColor(QPalette::Text, Qt::red);
    m_memo->setPalette(palette);

    // A control of no size keeps the keyboard focus, so a typed key reaches the pop-up.
    m_focusHolder->setObjectName(QStringLiteral("focusHolder"));
    m_focusHolder->setGeometry(0, 0, 0, 0);
    m_focusHolder->setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_focusHolder);

    m_memo->viewport()->installEventFilter(this);
    m_memo->installEventFilter(this);
    m_focusHolder->installEventFilter(this);
    installEventFilter(this);
}

QString TForm7::text() const
{
    return m_memo->toPlainText();
}

void TForm7::showComment(const QString &text)
{
    m_memo->setPlainText(text);
    m_memo->selectAll();
    m_memo->setAlignment(Qt::AlignCenter);
    // The cursor at the start, so a comment longer than the pop-up shows its beginning.
    QTextCursor cursor = m_memo->textCursor();
    cursor.movePosition(QTextCursor::Start);
    m_memo->setTextCursor(cursor);
    m_memo->verticalScrollBar()->setValue(m_memo->verticalScrollBar()->minimum());

    QRect area;
    if (m_centreOn)
        area = m_centreOn->frameGeometry();
    else if (QScreen *screen = this->screen())
        area = screen->availableGeometry();
    if (area.isValid()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(area.center());
        move(frame.topLeft());
    }

    if (isVisible())
        raise();
    else
        show();
    activateWindow();
    m_focusHolder->setFocus(Qt::OtherFocusReason);
}

void TForm7::hidePopup()
{
    hide();
    m_focusHolder->setFocus(Qt::OtherFocusReason);
}

bool TForm7::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        hidePopup();
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        // Keys that produce a character hide it: letters, digits, Enter, Esc.
        if (!key->text().isEmpty() || key->key() == Qt::Key_Escape || key->key() == Qt::Key_Return
            || key->key() == Qt::Key_Enter) {
            hidePopup();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
