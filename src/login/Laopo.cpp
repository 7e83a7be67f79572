#include "Laopo.h"

#include "ClassLists.h"
#include "LoginController.h"
#include "store/TableNames.h"
#include "ui/AppContext.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>

namespace {
QLabel *rowLabel(const QString &text, QWidget *buddy, QWidget *parent, int top)
{
    auto *label = new QLabel(text, parent);
    label->setGeometry(10, top, 32, 23);
    label->setBuddy(buddy);
    return label;
}

QComboBox *nameBox(const QString &objectName, const QString &accessibleName, const QString &hint, QWidget *parent, int top)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(objectName);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setGeometry(44, top, 158, 23);
    box->setToolTip(hint);
    box->setAccessibleName(accessibleName);
    return box;
}

QToolButton *deleteButton(const QString &objectName, const QString &hint, QWidget *parent, int top)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(objectName);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIcon(button->style()->standardIcon(QStyle::SP_TrashIcon));
    button->setGeometry(205, top, 23, 23);
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    return button;
}
} // namespace

TForm3::TForm3(AppContext &context, MainView &view, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_view(view)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("系统登录"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint);
    QFont dialogFont(QStringLiteral("MS Sans Serif"));
    dialogFont.setPixelSize(15);
    setFont(dialogFont);
    setFixedSize(254, 191);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    buildControls();
    FormCreate();
}

TForm3::~TForm3() = default;

void TForm3::buildControls()
{
    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(8, 8, 238, 140);

    m_classBox = nameBox(QStringLiteral("ComboBox2"), QStringLiteral("班级"), QStringLiteral("请输入或选择班级"), panel, 10);
    rowLabel(QStringLiteral("班级"), m_classBox, panel, 10);
    m_deleteClassButton = deleteButton(QStringLiteral("SpeedButton1"), QStringLiteral("删除该班级"), panel, 10);

    m_subjectBox = nameBox(QStringLiteral("ComboBox1"), QStringLiteral("科目"), QStringLiteral("请输入或选择科目"), panel, 40);
    rowLabel(QStringLiteral("科目"), m_subjectBox, panel, 40);
    m_deleteSubjectButton = deleteButton(QStringLiteral("SpeedButton2"), QStringLiteral("删除该科目"), panel, 40);

    m_passwordBox = new QLineEdit(panel);
    m_passwordBox->setObjectName(QStringLiteral("Edit1"));
    m_passwordBox->setEchoMode(QLineEdit::Password);
    m_passwordBox->setGeometry(44, 70, 158, 23);
    m_passwordBox->setToolTip(QStringLiteral("请输入您设定的密码"));
    m_passwordBox->setAccessibleName(QStringLiteral("密码"));
    rowLabel(QStringLiteral("密码"), m_passwordBox, panel, 70);

    auto *modeBox = new QGroupBox(panel);
    modeBox->setObjectName(QStringLiteral("GroupBox1"));
    modeBox->setGeometry(10, 99, 218, 34);
    m_questioningButton = new QRadioButton(kModeQuestioning, modeBox);
    m_questioningButton->setObjectName(QStringLiteral("RadioButton1"));
    m_questioningButton->setGeometry(12, 7, 100, 21);
    m_questioningButton->setChecked(true);
    m_gradeBookButton = new QRadioButton(kModeGradeBook, modeBox);
    m_gradeBookButton->setObjectName(QStringLiteral("RadioButton2"));
    m_gradeBookButton->setGeometry(120, 7, 90, 21);

    m_okButton = new QPushButton(QStringLiteral("确定"), this);
    m_okButton->setObjectName(QStringLiteral("Button1"));
    m_okButton->setGeometry(89, 156, 75, 27);

    setTabOrder(m_classBox, m_subjectBox);
    setTabOrder(m_subjectBox, m_passwordBox);
    setTabOrder(m_passwordBox, m_questioningButton);
    setTabOrder(m_questioningButton, m_gradeBookButton);
    setTabOrder(m_gradeBookButton, m_okButton);
    m_passwordBox->setFocus();

    // Enter must log in before the boxes act on it themselves.
    for (QWidget *widget :
        {static_cast<QWidget *>(m_classBox), static_cast<QWidget *>(m_classBox->lineEdit()), static_cast<QWidget *>(m_subjectBox),
            static_cast<QWidget *>(m_subjectBox->lineEdit()), static_cast<QWidget *>(m_passwordBox),
            static_cast<QWidget *>(m_questioningButton), static_cast<QWidget *>(m_gradeBookButton)})
        widget->installEventFilter(this);

    connect(m_okButton, &QPushButton::clicked, this, &TForm3::Button1Click);
    connect(m_questioningButton, &QRadioButton::clicked, this, &TForm3::RadioButton1Click);
    connect(m_gradeBookButton, &QRadioButton::clicked, this, &TForm3::RadioButton2Click);
    connect(m_classBox, &QComboBox::editTextChanged, this, &TForm3::ComboBox2Change);
    // The delete commands ask questions in modal boxes: run them from the event loop, so a
    // screen reader pressing the tool button gets its answer before the first box opens.
    connect(m_deleteClassButton, &QToolButton::clicked, this, &TForm3::SpeedButton1Click, Qt::QueuedConnection);
    connect(m_deleteSubjectButton, &QToolButton::clicked, this, &TForm3::SpeedButton2Click, Qt::QueuedConnection);
}

bool TForm3::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && Edit1KeyPress(static_cast<QKeyEvent *>(event)->key()))
        return true;
    return QDialog::eventFilter(watched, event);
}

void TForm3::setClassBox(const QStringList &items, const QString &text)
{
    // Filling the class box is not a change of class by the teacher.
    const QSignalBlocker blocker(m_classBox);
    m_classBox->clear();
    m_classBox->addItems(items);
    m_classBox->setEditText(text);
}

void TForm3::setSubjectBox(const QStringList &items, const QString &text)
{
    m_subjectBox->clear();
    m_subjectBox->addItems(items);
    m_subjectBox->setEditText(text);
}

void TForm3::Button1Click()
{
    Q_EMIT loginRequested();
    const LoginController::Entries entries{
        m_classBox->currentText(),
        m_subjectBox->currentText(),
        m_passwordBox->text(),
        m_gradeBookButton->isChecked() ? kModeGradeBook : kModeQuestioning,
    };
    if (LoginController(m_context, m_view, [this] { Q_EMIT gradeSettingsChanged(); }).login(entries))
        accept();
}

bool TForm3::Edit1KeyPress(int key)
{
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    Button1Click();
    return true;
}

void TForm3::RadioButton1Click()
{
    m_questioningButton->setChecked(true);
    m_gradeBookButton->setChecked(false);
}

void TForm3::RadioButton2Click()
{
    m_gradeBookButton->setChecked(true);
    m_questioningButton->setChecked(false);
}

void TForm3::FormCreate()
{
    const ClassLists::Opening opening = ClassLists(m_context).opening();
    setClassBox(opening.classes.items, opening.classes.text);
    setSubjectBox(opening.subjects.items, opening.subjects.text);
    m_passwordBox->clear();
}

void TForm3::ComboBox2Change()
{
    const ClassLists::BoxContents subjects = ClassLists(m_context).subjectsOf(m_classBox->currentText());
    setSubjectBox(subjects.items, subjects.text);
}

void TForm3::SpeedButton1Click()
{
    if (const auto classes = ClassLists(m_context).deleteClass(m_classBox->currentText()))
        setClassBox(classes->items, classes->text);
}

void TForm3::SpeedButton2Click()
{
    if (const auto subjects = ClassLists(m_context).deleteSubject(m_classBox->currentText(), m_subjectBox->currentText()))
        setSubjectBox(subjects->items, subjects->text);
}
