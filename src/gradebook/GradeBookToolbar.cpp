#include "GradeBookToolbar.h"

#include "ui/Artwork.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace {

QToolButton *flatButton(const QString &name, const QString &caption, const QString &hint, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(caption);
    button->setToolTip(hint);
    button->setAccessibleName(caption);
    button->setIcon(Artwork::toolButtonIcon(caption));
    button->setIconSize(QSize(32, 32));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    button->setFixedSize(55, 55);
    return button;
}

} // namespace

GradeBookToolbar::GradeBookToolbar(QWidget *parent)
    : QWidget(parent)
    , m_switch(flatButton(QStringLiteral("SpeedButton6"), QStringLiteral("切换"), QStringLiteral("切换至课堂提问表"), this))
    , m_entry(flatButton(QStringLiteral("SpeedButton2"), QStringLiteral("录入"), QStringLiteral("名单或成绩录入"), this))
    , m_sort(flatButton(QStringLiteral("sortToolButton"), QStringLiteral("排序"), QStringLiteral("排序"), this))
    , m_clear(flatButton(QStringLiteral("clearToolButton"), QStringLiteral("清除"), QStringLiteral("清除所有成绩"), this))
    , m_modify(flatButton(QStringLiteral("modifyToolButton"), QStringLiteral("修改"), QStringLiteral("修改"), this))
{
    setObjectName(QStringLiteral("gradeBookToolbar"));
    setFixedHeight(63);
    m_layout = new QHBoxLayout(this);
    m_layout->setContentsMargins(4, 4, 4, 4);
    m_layout->setSpacing(2);
    for (QToolButton *button : {m_switch, m_entry, m_sort, m_clear, m_modify})
        m_layout->addWidget(button);
    m_layout->addStretch(1);
}

QToolButton *GradeBookToolbar::addButton(const QString &name, const QString &caption, const QString &hint)
{
    QToolButton *button = flatButton(name, caption, hint, this);
    m_layout->insertWidget(m_layout->count() - 1, button);
    return button;
}
