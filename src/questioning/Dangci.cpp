#include "Dangci.h"

#include "CommentField.h"
#include "QuestioningMessages.h"
#include "ScoreBox.h"
#include "store/DataFileNames.h"
#include "store/DataPaths.h"
#include "store/LoginState.h"
#include "ui/Prompter.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

using namespace QuestioningMessages;

namespace {
const QString kCommentFilter = QStringLiteral("评语文件(*.qsy)|*.qsy");
const QString kCommentExtension = QStringLiteral("*.qsy");
} // namespace

TForm2::TForm2(LoginState &login, Prompter &prompter, QWidget *parent)
    : QDialog(parent,
        Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint
            | Qt::WindowCloseButtonHint)
    , m_login(login)
    , m_prompter(prompter)
    , m_commentSwitch(new QCheckBox(QStringLiteral("显示评语")))
    , m_scoringSwitch(new QCheckBox(QStringLiteral("打分")))
    , m_okButton(new QPushButton(QStringLiteral("确定")))
    , m_openButton(new QPushButton(QStringLiteral("打开")))
    , m_saveButton(new QPushButton(QStringLiteral("保存")))
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("评语设定"));
    setModal(false);
    setFixedSize(339, 235);

    auto *panel = new QFrame;
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(8, 4, 8, 4);
    grid->setVerticalSpacing(3);
    grid->addWidget(new QLabel(QStringLiteral("修改评语")), 0, 1, Qt::AlignCenter);
    grid->addWidget(new QLabel(QStringLiteral("修改分值")), 0, 2, Qt::AlignCenter);

    QFont gradeFont = font();
    gradeFont.setBold(true);
    for (int i = 0; i < 4; ++i) {
        const QString letter(QChar(u'A' + i));
        auto *label = new QLabel(letter);
        label->setFont(gradeFont);
        label->setStyleSheet(QStringLiteral("color: red;"));

        m_comments[size_t(i)] = new CommentField;
        m_comments[size_t(i)]->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
        m_comments[size_t(i)]->setAccessibleName(QStringLiteral("评语") + letter);
        m_scores[size_t(i)] = new ScoreBox;
        m_scores[size_t(i)]->setObjectName(QStringLiteral("SpinEdit%1").arg(i + 1));
        m_scores[size_t(i)]->setAccessibleName(QStringLiteral("分值") + letter);
        m_scores[size_t(i)]->setFixedWidth(70);

        grid->addWidget(label, i + 1, 0);
        grid->addWidget(m_comments[size_t(i)], i + 1, 1);
        grid->addWidget(m_scores[size_t(i)], i + 1, 2);
    }
    m_commentSwitch->setObjectName(QStringLiteral("CheckBox1"));
    m_scoringSwitch->setObjectName(QStringLiteral("CheckBox2"));
    m_commentSwitch->setChecked(true);
    m_scoringSwitch->setChecked(true);
    auto *switches = new QHBoxLayout;
    switches->addWidget(m_commentSwitch);
    switches->addWidget(m_scoringSwitch);
    switches->addStretch();
    grid->addLayout(switches, 5, 0, 1, 3);

    m_saveButton->setObjectName(QStringLiteral("BitBtn3"));
    m_saveButton->setToolTip(QStringLiteral("保存评语"));
    m_openButton->setObjectName(QStringLiteral("BitBtn2"));
    m_openButton->setToolTip(QStringLiteral("打开评语"));
    m_okButton->setObjectName(QStringLiteral("BitBtn1"));
    m_okButton->setToolTip(QStringLiteral("保存评语并退出"));
    m_okButton->setDefault(true);
    for (QPushButton *button : {m_saveButton, m_openButton})
        button->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_saveButton);
    buttons->addWidget(m_openButton);
    buttons->addWidget(m_okButton);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(panel);
    layout->addLayout(buttons);

    // At least one switch stays on: turning one off turns the other on.
    connect(m_commentSwitch, &QCheckBox::toggled, this, [this](bool on) {
        if (!on)
            m_scoringSwitch->setChecked(true);
    });
    connect(m_scoringSwitch, &QCheckBox::toggled, this, [this](bool on) {
        if (!on)
            m_commentSwitch->setChecked(true);
    });
    connect(m_okButton, &QPushButton::clicked, this, &TForm2::BitBtn1Click);
    connect(m_openButton, &QPushButton::clicked, this, &TForm2::BitBtn2Click);
    connect(m_saveButton, &QPushButton::clicked, this, &TForm2::BitBtn3Click);

    takeSettings(m_login.grades);
}

void TForm2::takeSettings(const GradeSettings &settings)
{
    for (size_t i = 0; i < 4; ++i) {
        m_comments[i]->setText(settings.comments[i]);
        m_scores[i]->setScoreText(settings.scores[i]);
    }
}

GradeSettings TForm2::settings() const
{
    GradeSettings settings;
    for (size_t i = 0; i < 4; ++i) {
        settings.comments[i] = m_comments[i]->text();
        settings.scores[i] = m_scores[i]->scoreText();
    }
    return settings;
}

void TForm2::showOrRaise()
{
    if (!isVisible()) {
        if (QScreen *screen = this->screen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
        show();
    } else {
        raise();
    }
    activateWindow();
}

QString TForm2::scoreText(int grade) const
{
    return grade >= 0 && grade < 4 ? m_scores[size_t(grade)]->scoreText() : QString();
}

bool TForm2::scoringOn() const
{
    return m_scoringSwitch->isChecked();
}

bool TForm2::commentsOn() const
{
    return m_commentSwitch->isChecked();
}

void TForm2::BitBtn1Click()
{
    // Before a login the file would be named from nothing; never touch the default file.
    if (!m_login.isLoggedIn()) {
        m_prompter.notice(kNotice, kLogInFirst);
        return;
    }
    const GradeSettings values = settings();
    m_login.grades = values;
    DataFolder folder(DataPaths(m_login.programFolder).dataFolder());
    DataFiles &files = m_dataFiles ? *m_dataFiles : folder;
    const Result written = SettingsFile::write(files, DataFileNames::gradeSettings(m_login.className, m_login.subject), values);
    if (!written) {
        m_prompter.error(written.error);
        return;
    }
    hide();
}

void TForm2::BitBtn2Click()
{
    const std::optional<QString> path = m_prompter.openFile(QStringLiteral("打开"), kCommentFilter, kCommentExtension);
    if (!path)
        return;
    const ReadResult<QStringList> lines = SettingsFile::readLines(*path);
    int used = 0;
    if (lines) {
        GradeSettings values = settings();
        used = SettingsFile::apply(*lines, values);
        takeSettings(values);
    }
    if (used < 8)
        m_prompter.message(
            kError, QStringLiteral("该文件不是有效的评语文件！"), Prompter::Buttons::Ok, Prompter::Icon::Information);
}

void TForm2::BitBtn3Click()
{
    const std::optional<QString> path = m_prompter.saveFile(QStringLiteral("保存"), kCommentFilter, kCommentExtension);
    if (!path)
        return;
    if (!SettingsFile::write(*path, settings()))
        m_prompter.message(kError, QStringLiteral("文件存般错误！"), Prompter::Buttons::Ok, Prompter::Icon::Information);
}
