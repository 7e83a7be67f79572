#include "Unit4.h"

#include "store/ApplicationTitle.h"
#include "ui/Artwork.h"

#include <QDir>
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>

TForm4::TForm4(QWidget *parent)
    : QDialog(parent)
    , m_picture(new QLabel(this))
    , m_title(new QLabel(ApplicationTitle::withVersion(), this))
    , m_dataPlace(new QLabel(this))
{
    setObjectName(QStringLiteral("TForm4"));
    setWindowTitle(QStringLiteral("关于..."));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint
        | Qt::WindowCloseButtonHint);
    setFixedSize(271, 141);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::Base));
    setPalette(colours);

    m_picture->setObjectName(QStringLiteral("Image1"));
    m_picture->setPixmap(Artwork::aboutPicture());
    m_picture->setGeometry(16, 48, 61, 57);
    m_picture->setAccessibleName(QStringLiteral("图片"));

    QFont font(QStringLiteral("幼圆"));
    font.setPixelSize(16);
    font.setBold(true);
    m_title->setObjectName(QStringLiteral("Label1"));
    m_title->setFont(font);
    QPalette red = m_title->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    m_title->setPalette(red);
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setGeometry(0, 12, 271, 24);

    m_dataPlace->setObjectName(QStringLiteral("Label2"));
    QFont small = font;
    small.setBold(false);
    small.setPixelSize(12);
    m_dataPlace->setFont(small);
    m_dataPlace->setWordWrap(true);
    m_dataPlace->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_dataPlace->setGeometry(86, 46, 177, 86);
    m_dataPlace->hide();

    for (QWidget *child :
        {static_cast<QWidget *>(m_picture), static_cast<QWidget *>(m_title), static_cast<QWidget *>(m_dataPlace)})
        child->installEventFilter(this);
}

void TForm4::showDataFolder(const QString &caption, const QString &folder)
{
    const QString shown = QDir::toNativeSeparators(folder);
    // A path has no spaces to wrap at: let it break after each separator, and cut the
    // middle of one too long for the box (the hint keeps it whole).
    const QFontMetrics metrics(m_dataPlace->font());
    const int room = m_dataPlace->width() * 4;
    QString fitted = metrics.elidedText(shown, Qt::ElideMiddle, room);
    fitted.replace(QDir::separator(), QString(QDir::separator()) + QChar(0x200B));
    m_dataPlace->setText(caption + QLatin1Char('\n') + fitted);
    m_dataPlace->setToolTip(shown);
    m_dataPlace->setAccessibleName(caption + shown);
    m_dataPlace->show();
}

void TForm4::showDatabase(const QString &server)
{
    m_dataPlace->setText(QStringLiteral("数据库：") + server);
    m_dataPlace->setToolTip(m_dataPlace->text());
    m_dataPlace->setAccessibleName(m_dataPlace->text());
    m_dataPlace->show();
}

void TForm4::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    accept();
}

bool TForm4::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
