#include "QuestioningToolbar.h"

#include "GradeBox.h"
#include "ui/AnimationControl.h"
#include "ui/DropDownList.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

namespace {

constexpr int kHeight = 63;

// Large red brush-style type on a given background, as the find, count and grade boxes show.
void dressLargeRed(QWidget *box, const QColor &background)
{
    QFont font(QStringLiteral("华文新魏"));
    font.setPixelSize(35);
    box->setFont(font);
    QPalette colours = box->palette();
    for (QPalette::ColorRole role : {QPalette::Base, QPalette::Button})
        colours.setColor(role, background);
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText})
        colours.setColor(role, Qt::red);
    box->setPalette(colours);
}

QLabel *smallLabel(const QString &caption, QWidget *parent)
{
    auto *label = new QLabel(caption, parent);
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(15);
    label->setFont(font);
    return label;
}

QLineEdit *hiddenField(const QString &name, QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setReadOnly(true);
    field->hide();
    return field;
}

void giveHint(QWidget *widget, const QString &hint)
{
    widget->setToolTip(hint);
    widget->setAccessibleName(hint);
}

} // namespace

QuestioningToolbar::QuestioningToolbar(QWidget *parent)
    : QWidget(parent)
    , m_numberBox(new QLineEdit(this))
    , m_nameBox(new QLineEdit(this))
    , m_selectionClip(new AnimationControl(this))
    , m_countBox(new QSpinBox(this))
    , m_gradeBox(new GradeBox(this))
    , m_hiddenNumber(hiddenField(QStringLiteral("DBEdit1"), this))
    , m_hiddenName(hiddenField(QStringLiteral("DBEdit2"), this))
    , m_hiddenGrade(hiddenField(QStringLiteral("DBEdit3"), this))
{
    setObjectName(QStringLiteral("questioningToolbar"));
    m_selectionTimer.setObjectName(QStringLiteral("Timer1"));
    m_selectionTimer.setInterval(10);
    m_selectionTimer.setTimerType(Qt::PreciseTimer);
    setFixedHeight(kHeight);
    const QColor toolTipBase = palette().color(QPalette::ToolTipBase);
    const QColor aqua(0, 255, 255);

    m_numberBox->setObjectName(QStringLiteral("Edit1"));
    m_numberBox->setFixedSize(65, 43);
    giveHint(m_numberBox, QStringLiteral("查找请输入编号，回车"));
    dressLargeRed(m_numberBox, toolTipBase);

    m_nameBox->setObjectName(QStringLiteral("Edit2"));
    m_nameBox->setFixedSize(136, 43);
    giveHint(m_nameBox, QStringLiteral("查找请输入姓名，回车"));
    dressLargeRed(m_nameBox, aqua);

    m_selectionClip->setObjectName(QStringLiteral("Animate1"));
    m_selectionClip->setFixedSize(32, 41);
    m_selectionClip->setAccessibleName(QStringLiteral("选择动画"));

    m_countBox->setObjectName(QStringLiteral("SpinEdit1"));
    m_countBox->setFixedSize(78, 45);
    m_countBox->setRange(0, 100);
    m_countBox->setSingleStep(5);
    m_countBox->setValue(0);
    giveHint(m_countBox, QStringLiteral("请输入随机选择的数量"));
    dressLargeRed(m_countBox, toolTipBase);

    m_gradeBox->setObjectName(QStringLiteral("ComboBox1"));
    m_gradeBox->setEditable(false);
    m_gradeBox->addItems({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")});
    m_gradeBox->setCurrentIndex(-1);
    m_gradeBox->setFixedSize(78, 43);
    giveHint(m_gradeBox, QStringLiteral("请选择档次"));
    dressLargeRed(m_gradeBox, toolTipBase);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->setSpacing(6);
    layout->addWidget(m_numberBox);
    layout->addWidget(m_nameBox);
    layout->addWidget(m_selectionClip);
    layout->addWidget(smallLabel(QStringLiteral("范围"), this));
    layout->addWidget(m_countBox);
    layout->addWidget(smallLabel(QStringLiteral("评价"), this));
    layout->addWidget(m_gradeBox);
    layout->addStretch(1);

    connect(m_hiddenNumber, &QLineEdit::textChanged, this, &QuestioningToolbar::mirrorCurrentRow);
    connect(m_hiddenName, &QLineEdit::textChanged, this, &QuestioningToolbar::mirrorCurrentRow);
}

void QuestioningToolbar::mirrorCurrentRow()
{
    // Shown from the first character: a name wider than the box (欧阳晓明) would
    // otherwise show its end, the cursor being left after the last character.
    m_nameBox->setText(m_hiddenName->text());
    m_nameBox->setCursorPosition(0);
    m_numberBox->setText(m_hiddenNumber->text());
    m_numberBox->setCursorPosition(0);
}

QString QuestioningToolbar::countText() const
{
    return m_countBox->text();
}
void QuestioningToolbar::setCountText(const QString &text)
{
    m_countBox->setValue(text.toInt());
}
void QuestioningToolbar::setCountEnabled(bool enabled)
{
    m_countBox->setEnabled(enabled);
}
void QuestioningToolbar::setGradeBoxEnabled(bool enabled)
{
    m_gradeBox->setEnabled(enabled);
}
QString QuestioningToolbar::numberBoxText() const
{
    return m_numberBox->text();
}
void QuestioningToolbar::setNumberBoxText(const QString &text)
{
    m_numberBox->setText(text);
}
QString QuestioningToolbar::nameBoxText() const
{
    return m_nameBox->text();
}
QString QuestioningToolbar::numberFieldText() const
{
    return m_hiddenNumber->text();
}
void QuestioningToolbar::playAnimation()
{
    m_selectionClip->play();
}
void QuestioningToolbar::stopAnimation()
{
    m_selectionClip->stop();
}
