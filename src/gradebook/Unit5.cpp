#include "Unit5.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
const QString kDescending = QStringLiteral("降序");
const QString kAscending = QStringLiteral("升序");
} // namespace

TForm5::TForm5(Sorting &sorting, TableNames tables, const QStringList &fieldNames, bool showItemGroup, QWidget *parent)
    : QDialog(parent)
    , m_sorting(sorting)
    , m_tables(std::move(tables))
    , m_columnBox(new QComboBox(this))
    , m_sort(new QRadioButton(QStringLiteral("排序"), this))
    , m_group(new QRadioButton(QStringLiteral("分组计算"), this))
    , m_itemGroup(new QGroupBox(QStringLiteral("选择项目"), this))
    , m_items(new QButtonGroup(this))
    , m_direction(new QCheckBox(kDescending, this))
    , m_ok(new QPushButton(QStringLiteral("确定"), this))
{
    setObjectName(QStringLiteral("TForm5"));
    setWindowTitle(QStringLiteral("排序"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_columnBox->setObjectName(QStringLiteral("ComboBox1"));
    m_columnBox->setEditable(true);
    m_columnBox->setInsertPolicy(QComboBox::NoInsert);
    m_columnBox->setAccessibleName(QStringLiteral("标题"));
    auto *title = new QLabel(QStringLiteral("标题"), this);
    title->setBuddy(m_columnBox);
    m_sort->setObjectName(QStringLiteral("RadioButton1"));
    m_sort->setToolTip(QStringLiteral("按此列排序"));
    m_sort->setChecked(true);
    m_group->setObjectName(QStringLiteral("RadioButton2"));
    m_group->setToolTip(QStringLiteral("分组计算并排序"));

    // Under the item group: the column box and the two exclusive choices.
    auto *choices = new QWidget(this);
    auto *choicesLayout = new QGridLayout(choices);
    choicesLayout->addWidget(title, 0, 0);
    choicesLayout->addWidget(m_columnBox, 0, 1);
    choicesLayout->addWidget(m_sort, 1, 0);
    choicesLayout->addWidget(m_group, 1, 1);

    m_itemGroup->setObjectName(QStringLiteral("RadioGroup1"));
    m_itemGroup->setAutoFillBackground(true);
    auto *itemsLayout = new QGridLayout(m_itemGroup);
    const QStringList keys = Sorting::questioningKeys();
    for (int i = 0; i < keys.size(); ++i) {
        auto *button = new QRadioButton(keys.at(i), m_itemGroup);
        m_items->addButton(button, i);
        itemsLayout->addWidget(button, i / 2, i % 2);
    }
    m_items->button(3)->setChecked(true);
    m_itemGroup->setVisible(showItemGroup);
    // What the item group covers can take neither the focus nor a Tab: the teacher's
    // keys go to the choice that is shown.
    QSizePolicy covered = choices->sizePolicy();
    covered.setRetainSizeWhenHidden(true);
    choices->setSizePolicy(covered);
    choices->setVisible(!showItemGroup);

    m_direction->setObjectName(QStringLiteral("CheckBox1"));
    m_direction->setChecked(true);
    m_ok->setObjectName(QStringLiteral("BitBtn1"));
    m_ok->setDefault(true);

    auto *area = new QGridLayout;
    area->addWidget(choices, 0, 0);
    area->addWidget(m_itemGroup, 0, 0);
    m_itemGroup->raise();
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_direction);
    bottom->addStretch(1);
    bottom->addWidget(m_ok);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(area);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The box's state, not the mouse: a key, or assistive technology's Toggle, unchecks
    // it just as a click does.
    connect(m_direction, &QCheckBox::toggled, this, [this](bool checked) {
        if (!checked)
            CheckBox1Click();
    });
    connect(m_ok, &QPushButton::clicked, this, &TForm5::BitBtn1Click);
    FormCreate(fieldNames);
    // Typing replaces the offered choice rather than adding to it.
    QWidget *first = showItemGroup ? static_cast<QWidget *>(m_items->checkedButton()) : m_columnBox;
    first->setFocus();
}

void TForm5::FormCreate(const QStringList &fieldNames)
{
    m_columnBox->addItems(fieldNames.mid(2));
    m_columnBox->setEditText(fieldNames.isEmpty() ? QString() : fieldNames.constLast());
    m_columnBox->lineEdit()->selectAll();
}

QRadioButton *TForm5::item(int index) const
{
    return qobject_cast<QRadioButton *>(m_items->button(index));
}

SortChoice TForm5::choice() const
{
    SortChoice choice;
    choice.column = m_columnBox->currentText();
    choice.descending = m_direction->text() == kDescending;
    choice.groupTotals = m_group->isChecked();
    choice.item = m_items->checkedId();
    return choice;
}

void TForm5::CheckBox1Click()
{
    m_direction->setText(m_direction->text() == kDescending ? kAscending : kDescending);
    m_direction->setChecked(true);
}

void TForm5::BitBtn1Click()
{
    if (m_sorting.apply(m_tables, choice()))
        accept();
}
