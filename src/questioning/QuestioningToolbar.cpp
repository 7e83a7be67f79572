#include "QuestioningToolbar.h"

#include "ui/AnimationControl.h"
#include "ui/DropDownList.h"
#include "GradeBox.h"

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
    , m_edit1(new QLineEdit(this))
    , m_edit2(new QLineEdit(this))
    , m_animate1(new AnimationControl(this))
    , m_spinEdit1(new QSpinBox(this))
    , m_comboBox1(new GradeBox(this))
    , m_dbEdit1(hiddenField(QStringLiteral("DBEdit1"), this))
    , m_dbEdit2(hiddenField(QStringLiteral("DBEdit2"), this))
    , m_dbEdit3(hiddenField(QStringLiteral("DBEdit3"), this))
{
    setObjectName(QStringLiteral("questioningToolbar"));
    m_timer1.setObjectName(QStringLiteral("Timer1"));
    m_timer1.setInterval(10);
    m_timer1.setTimerType(Qt::PreciseTimer);
    setFixedHeight(kHeight);
    const QColor toolTipBase = palette().color(QPalette::ToolTipBase);
    const QColor aqua(0, 255, 255);

    m_edit1->setObjectName(QStringLiteral("Edit1"));
    m_edit1->setFixedSize(65, 43);
    giveHint(m_edit1, QStringLiteral("查找请输入编号，回车"));
    dressLargeRed(m_edit1, toolTipBase);

    m_edit2->setObjectName(QStringLiteral("Edit2"));
    m_edit2->setFixedSize(136, 43);
    giveHint(m_edit2, QStringLiteral("查找请输入姓名，回车"));
    dressLargeRed(m_edit2, aqua);

    m_animate1->setObjectName(QStringLiteral("Animate1"));
    m_animate1->setFixedSize(32, 41);
    m_animate1->setAccessibleName(QStringLiteral("选择动画"));

    m_spinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
    m_spinEdit1->setFixedSize(78, 45);
    m_spinEdit1->setRange(0, 100);
    m_spinEdit1->setSingleStep(5);
    m_spinEdit1->setValue(0);
    giveHint(m_spinEdit1, QStringLiteral("请输入随机选择的数量"));
    dressLargeRed(m_spinEdit1, toolTipBase);

    m_comboBox1->setObjectName(QStringLiteral("ComboBox1"));
    m_comboBox1->setEditable(false);
    m_comboBox1->addItems({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")});
    m_comboBox1->setCurrentIndex(-1);
    m_comboBox1->setFixedSize(78, 43);
    giveHint(m_comboBox1, QStringLiteral("请选择档次"));
    dressLargeRed(m_comboBox1, toolTipBase);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->setSpacing(6);
    layout->addWidget(m_edit1);
    layout->addWidget(m_edit2);
    layout->addWidget(m_animate1);
    layout->addWidget(smallLabel(QStringLiteral("范围"), this));
    layout->addWidget(m_spinEdit1);
    layout->addWidget(smallLabel(QStringLiteral("评价"), this));
    layout->addWidget(m_comboBox1);
    layout->addStretch(1);
}

QString QuestioningToolbar::countText() const { return m_spinEdit1->text(); }
void QuestioningToolbar::setCountText(const QString &text) { m_spinEdit1->setValue(text.toInt()); }
void QuestioningToolbar::setCountEnabled(bool enabled) { m_spinEdit1->setEnabled(enabled); }
void QuestioningToolbar::setGradeBoxEnabled(bool enabled) { m_comboBox1->setEnabled(enabled); }
QString QuestioningToolbar::numberBoxText() const { return m_edit1->text(); }
void QuestioningToolbar::setNumberBoxText(const QString &text) { m_edit1->setText(text); }
QString QuestioningToolbar::nameBoxText() const { return m_edit2->text(); }
QString QuestioningToolbar::numberFieldText() const { return m_dbEdit1->text(); }
void QuestioningToolbar::playAnimation() { m_animate1->play(); }
void QuestioningToolbar::stopAnimation() { m_animate1->stop(); }
