#include "Unit8.h"

#include "GradeBookMessages.h"
#include "ScoreColumns.h"
#include "store/Dataset.h"
#include "ui/Prompter.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace GradeBookMessages;

TForm8::TForm8(Database &database, Dataset &view, const QString &table, Prompter &prompter, MainView &mainView, QWidget *parent)
    : QDialog(parent, Qt::Tool)
    , m_database(database)
    , m_view(view)
    , m_table(table)
    , m_prompter(prompter)
    , m_mainView(mainView)
    , m_nameBox(new QLineEdit(this))
    , m_ok(new QPushButton(QStringLiteral("OK"), this))
    , m_no(new QPushButton(QStringLiteral("&No"), this))
{
    setObjectName(QStringLiteral("TForm8"));
    setWindowTitle(QStringLiteral("字段名"));
    auto *label = new QLabel(QStringLiteral("请输入表头字段名："), this);
    label->setBuddy(m_nameBox);
    m_nameBox->setObjectName(QStringLiteral("Edit1"));
    m_nameBox->setAccessibleName(QStringLiteral("请输入表头字段名："));
    m_ok->setObjectName(QStringLiteral("BitBtn1"));
    m_ok->setDefault(true);
    m_ok->setAutoDefault(true);
    m_no->setObjectName(QStringLiteral("BitBtn2"));
    m_no->setAutoDefault(false);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_no);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_nameBox);
    layout->addLayout(buttons);

    connect(m_nameBox, &QLineEdit::textChanged, this, [this](const QString &text) {
        m_pendingColumnName = text;
        Q_EMIT pendingColumnNameChanged(text);
    });
    connect(m_ok, &QPushButton::clicked, this, &TForm8::BitBtn1Click);
    connect(m_no, &QPushButton::clicked, this, &TForm8::BitBtn2Click);
    m_nameBox->setText(ScoreColumns::proposedName(m_view.fieldCount()));
    // Typing replaces the offered 第k次 rather than adding to it.
    m_nameBox->selectAll();
    m_nameBox->setFocus();
}

void TForm8::BitBtn1Click()
{
    const Result added = ScoreColumns::add(m_database, m_view, m_table, m_nameBox->text());
    if (!added)
        m_prompter.notice(kNotice, kDuplicateColumn);
    if (const Result reopened = m_mainView.openGradeBookView(); !reopened)
        m_prompter.error(reopened.error);
    if (added)
        accept();
}

void TForm8::keyPressEvent(QKeyEvent *event)
{
    // Esc is the No button; the window's close box keeps the name box's text.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        BitBtn2Click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TForm8::BitBtn2Click()
{
    m_nameBox->clear();
    reject();
}
