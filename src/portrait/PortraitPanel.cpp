#include "PortraitPanel.h"

#include "store/Dataset.h"

#include <QEvent>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {

const QString kName = QStringLiteral("姓名");
const QString kPicture = QStringLiteral("相片");
const QString kMotto = QStringLiteral("宣言");

void colour(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

} // namespace

PortraitPanel::PortraitPanel(Dataset &portraitQuery, QWidget *parent)
    : QWidget(parent)
    , m_query(portraitQuery)
    , m_name(new QLabel(this))
    , m_picture(new QLabel(this))
    , m_motto(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("PortraitPanel"));
    // It lies over the entry grid and memo in the entry panel: paint its own background.
    setAutoFillBackground(true);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(4);

    m_name->setObjectName(QStringLiteral("DBText1"));
    m_name->setAccessibleName(QStringLiteral("姓名"));
    m_name->setAlignment(Qt::AlignCenter);
    QFont nameFont(QStringLiteral("宋体"));
    nameFont.setPixelSize(16);
    nameFont.setBold(true);
    m_name->setFont(nameFont);
    colour(m_name, QPalette::WindowText, Qt::red);
    column->addWidget(m_name);

    m_picture->setObjectName(QStringLiteral("DBImage1"));
    m_picture->setFixedSize(128, 187);
    m_picture->setScaledContents(true);
    m_picture->setFrameShape(QFrame::Box);
    m_picture->setToolTip(QStringLiteral("双击载入相片"));
    m_picture->setAccessibleName(QStringLiteral("相片"));
    m_picture->installEventFilter(this);
    column->addWidget(m_picture, 0, Qt::AlignHCenter);

    auto *caption = new QLabel(QStringLiteral("个性宣言"), this);
    caption->setObjectName(QStringLiteral("MottoCaption"));
    colour(caption, QPalette::WindowText, Qt::red);
    column->addWidget(caption);

    m_motto->setObjectName(QStringLiteral("DBMemo1"));
    m_motto->setAccessibleName(QStringLiteral("个性宣言"));
    m_motto->setToolTip(QStringLiteral("个性宣言，最多%1个字").arg(kMottoLength));
    colour(m_motto, QPalette::Text, Qt::blue);
    column->addWidget(m_motto, 1);

    connect(m_motto, &QPlainTextEdit::textChanged, this, &PortraitPanel::takeTypedMotto);
    connect(&m_query, &Dataset::currentRowChanged, this, &PortraitPanel::refresh);
    connect(&m_query, &Dataset::rowsReset, this, &PortraitPanel::refresh);
    connect(&m_query, &Dataset::closed, this, &PortraitPanel::refresh);
    connect(&m_query, &Dataset::valueChanged, this, &PortraitPanel::refresh);
    refresh();
    hide();
}

void PortraitPanel::refresh()
{
    const bool hasRow = m_query.isOpen() && m_query.currentRow() >= 0;
    m_name->setText(hasRow ? m_query.value(kName).toString() : QString());
    showPicture(hasRow ? m_query.value(kPicture).toByteArray() : QByteArray());
    // The motto the teacher is typing is already the row's; resetting it would move the caret.
    if (m_reportingEdit)
        return;
    const QString motto = hasRow ? m_query.value(kMotto).toString() : QString();
    if (motto != m_motto->toPlainText()) {
        m_showingRow = true;
        m_motto->setPlainText(motto);
        m_showingRow = false;
    }
}

void PortraitPanel::showPicture(const QByteArray &bytes)
{
    // A race re-reads the same rows over and over: decode a picture only when it changed.
    if (bytes.isSharedWith(m_shownBytes) || bytes == m_shownBytes)
        return;
    m_shownBytes = bytes;
    QPixmap pixmap;
    if (!bytes.isEmpty())
        pixmap.loadFromData(bytes);
    m_picture->setPixmap(pixmap);
}

void PortraitPanel::takeTypedMotto()
{
    if (m_showingRow)
        return;
    QString text = m_motto->toPlainText();
    const QList<uint> characters = text.toUcs4();
    if (characters.size() > kMottoLength) {
        // What goes past the column's width is not taken.
        text = QString::fromUcs4(reinterpret_cast<const char32_t *>(characters.constData()), kMottoLength);
        m_showingRow = true;
        m_motto->setPlainText(text);
        m_motto->moveCursor(QTextCursor::End);
        m_showingRow = false;
    }
    m_reportingEdit = true;
    Q_EMIT mottoEdited(text);
    m_reportingEdit = false;
    // An edit that was not taken (no student to hold it) does not stay on screen.
    const bool taken = m_query.isOpen() && m_query.currentRow() >= 0 && m_query.value(kMotto).toString() == text;
    if (!taken)
        refresh();
}

bool PortraitPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_picture && event->type() == QEvent::MouseButtonDblClick) {
        Q_EMIT pictureDoubleClicked();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
