#include "Unit6.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TForm6::TForm6(QWidget *parent)
    : QDialog(parent)
    , m_scores(new QRadioButton(QStringLiteral("成绩录入")))
    , m_roster(new QRadioButton(QStringLiteral("名单录入")))
    , m_ok(new QPushButton(QStringLiteral("OK")))
{
    setObjectName(QStringLiteral("TForm6"));
    setWindowTitle(QStringLiteral("录入"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto *group = new QGroupBox(QStringLiteral("请选择"), this);
    group->setObjectName(QStringLiteral("RadioGroup1"));
    auto *choices = new QHBoxLayout(group);
    m_scores->setObjectName(QStringLiteral("RadioButton1"));
    m_roster->setObjectName(QStringLiteral("RadioButton2"));
    choices->addWidget(m_scores);
    choices->addWidget(m_roster);
    m_scores->setChecked(true);

    m_ok->setObjectName(QStringLiteral("BitBtn1"));
    m_ok->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
}

bool TForm6::rosterChosen() const
{
    return m_roster->isChecked();
}
