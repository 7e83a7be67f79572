#include "Unit4.h"

#include "store/ApplicationTitle.h"
#include "ui/Artwork.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

TForm4::TForm4(QWidget *parent)
    : QDialog(parent)
    , m_picture(new QLabel(this))
    , m_title(new QLabel(ApplicationTitle::withVersion(), this))
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

    for (QWidget *child : {static_cast<QWidget *>(m_picture), static_cast<QWidget *>(m_title)})
        child->installEventFilter(this);
}

void TForm4::showDatabase(const QString &server)
{
    if (!m_database) {
        m_database = new QLabel(this);
        m_database->setObjectName(QStringLiteral("Label2"));
        m_database->setGeometry(84, 112, 183, 24);
        m_database->setWordWrap(true);
        m_database->installEventFilter(this);
    }
    m_database->setText(QStringLiteral("数据库：") + server);
    m_database->setToolTip(m_database->text());
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
