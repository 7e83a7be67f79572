#include "PortraitPanel.h"

#include "PortraitBitmap.h"
#include "store/Dataset.h"

#include <QEvent>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>

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
    // A name is shown as it was typed: 〈s〉 or <b> in it is no markup.
    m_name->setTextFormat(Qt::PlainText);
    m_name->setAccessibleName(QStringLiteral("姓名"));
    m_name->setAlignment(Qt::AlignCenter);
    QFont nameFont(QStringLiteral("宋体"));
    nameFont.setPixelSize(16);
    nameFont.setBold(true);
    m_name->setFont(nameFont);
    colour(m_name, QPalette::WindowText, Qt::red);
    column->addWidget(m_name);

    m_picture->setObjectName(QStringLiteral("DBImage1"));
    m_picture->setFixedSize(kPictureSize);
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

    connect(m_motto->document(), &QTextDocument::contentsChange, this, [this](int position, int, int added) {
        m_changeStart = position;
        m_changeEnd = position + added;
    });
    connect(m_motto, &QPlainTextEdit::textChanged, this, &PortraitPanel::takeTypedMotto);
    // Shorter than a human's pause and longer than a race's tick.
    m_pictureLoad.setSingleShot(true);
    m_pictureLoad.setInterval(60);
    connect(&m_pictureLoad, &QTimer::timeout, this, &PortraitPanel::loadShownPicture);
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
    const QString name = hasRow ? m_query.value(kName).toString() : QString();
    m_name->setText(name);
    showPictureOf(name);
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

void PortraitPanel::showPictureOf(const QString &name)
{
    if (name == m_pictureName && !m_pictureLoad.isActive())
        return;
    m_pictureName = name;
    if (name.isEmpty()) {
        m_pictureLoad.stop();
        m_picture->setPixmap(QPixmap());
        return;
    }
    if (const QPixmap *kept = m_pictures.object(name)) {
        m_pictureLoad.stop();
        m_picture->setPixmap(*kept);
        return;
    }
    m_picture->setPixmap(QPixmap());
    // Hidden, the panel reads nothing (a view switch opens the portrait query behind it);
    // it catches up when it is shown.
    if (!isVisible())
        m_pictureName.clear();
    else if (m_busy && m_busy())
        m_pictureLoad.start();
    else
        loadShownPicture();
}

void PortraitPanel::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    refresh();
}

void PortraitPanel::loadShownPicture()
{
    if (m_busy && m_busy()) {
        m_pictureLoad.start();
        return;
    }
    m_pictureLoad.stop();
    const bool hasRow = m_query.isOpen() && m_query.currentRow() >= 0;
    if (!hasRow || m_query.value(kName).toString() != m_pictureName)
        return;
    const ReadResult<QVariant> bytes = m_query.readStored(kPicture);
    // Nothing is kept of a read that failed (a row not stored yet, a busy file).
    if (!bytes)
        return;
    QImage image;
    if (!bytes->isNull()) {
        const PortraitBitmap::Decoded decoded = PortraitBitmap::decode(bytes->toByteArray(), kPictureSize);
        image = decoded.image;
    }
    takePicture(m_pictureName, image);
}

void PortraitPanel::takePicture(const QString &name, const QImage &picture)
{
    // A student without a picture is kept too: the race then reads nothing for him either.
    m_pictures.insert(name, new QPixmap(QPixmap::fromImage(picture)));
    if (name == m_pictureName)
        m_picture->setPixmap(*m_pictures.object(name));
}

void PortraitPanel::forgetPictures()
{
    m_pictures.clear();
    m_pictureName.clear();
}

void PortraitPanel::takeTypedMotto()
{
    if (m_showingRow)
        return;
    QString text = m_motto->toPlainText();
    const qsizetype excess = text.toUcs4().size() - kMottoLength;
    if (excess > 0) {
        // What was just typed or pasted is taken as far as it fits and no further; the
        // rest of the motto and the caret stay where they were.
        const int end = std::clamp(m_changeEnd, 0, int(text.size()));
        int cut = end;
        for (qsizetype left = excess; left > 0 && cut > std::clamp(m_changeStart, 0, end); --left)
            cut -= cut >= 2 && text.at(cut - 1).isLowSurrogate() && text.at(cut - 2).isHighSurrogate() ? 2 : 1;
        m_showingRow = true;
        QTextCursor cursor(m_motto->document());
        cursor.joinPreviousEditBlock();
        cursor.setPosition(cut);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        // Only when what was added cannot account for the excess is the end cut off.
        while (m_motto->toPlainText().toUcs4().size() > kMottoLength) {
            cursor.movePosition(QTextCursor::End);
            cursor.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
        }
        cursor.endEditBlock();
        text = m_motto->toPlainText();
        cursor.setPosition(std::min<int>(cut, int(text.size())));
        m_motto->setTextCursor(cursor);
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
