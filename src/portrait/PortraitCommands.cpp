#include "PortraitCommands.h"

#include "PortraitBitmap.h"
#include "PortraitPanel.h"
#include "store/Dataset.h"
#include "store/Statements.h"
#include "ui/AppContext.h"
#include "ui/MainMenus.h"
#include "ui/Prompter.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kName = QStringLiteral("姓名");
using Caption::kNotice;

const QString kPicture = QStringLiteral("相片");

/// Why a chosen file does not become the picture, or nothing when it does.
QString refusal(const PortraitBitmap::Decoded &decoded, const QString &fileName)
{
    switch (decoded.verdict) {
    case PortraitBitmap::Verdict::Picture: return {};
    case PortraitBitmap::Verdict::NotBitmap: return QStringLiteral("“%1”不是位图文件，相片没有改变。").arg(fileName);
    case PortraitBitmap::Verdict::Truncated:
        return QStringLiteral("“%1”不是完整的位图文件（文件不全，可能没有复制完），相片没有改变。").arg(fileName);
    case PortraitBitmap::Verdict::TooLarge:
        return QStringLiteral("“%1”太大（%2×%3像素），无法显示，相片没有改变。请换一张小一些的图片。")
            .arg(fileName)
            .arg(decoded.size.width())
            .arg(decoded.size.height());
    }
    return {};
}

} // namespace

PortraitCommands::PortraitCommands(
    AppContext &context, MainView &view, PortraitPanel &panel, std::function<bool()> selectionRunning, QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_view(view)
    , m_panel(panel)
    , m_selectionRunning(std::move(selectionRunning))
{
    connect(&m_panel, &PortraitPanel::pictureDoubleClicked, this, &PortraitCommands::DBImage1DblClick);
    connect(&m_panel, &PortraitPanel::mottoEdited, this, &PortraitCommands::takeMotto);
    m_panel.setBusy(m_selectionRunning);
    // Told after the move that could not save it, from the event loop: the race may be on.
    connect(&m_context.portraitQuery, &Dataset::pendingEditKept, this, &PortraitCommands::reportKeptMotto, Qt::QueuedConnection);
}

void PortraitCommands::reportKeptMotto(const QString &error)
{
    Dataset &portrait = m_context.portraitQuery;
    if (m_reportingKept || (portrait.state() != Dataset::State::Edit && portrait.state() != Dataset::State::Insert))
        return;
    m_reportingKept = true;
    m_context.prompter.error(QStringLiteral("“%1”的个性宣言没有保存：%2\n宣言仍留在面板里，选择另一名学生时会再保存一次。")
                                 .arg(portrait.value(kName).toString(), error));
    m_reportingKept = false;
}

bool PortraitCommands::isShown() const
{
    return !m_panel.isHidden();
}

Result PortraitCommands::savePending()
{
    Dataset &portrait = m_context.portraitQuery;
    if (portrait.state() != Dataset::State::Edit && portrait.state() != Dataset::State::Insert)
        return Result::success();
    const Result saved = portrait.post();
    if (!saved)
        m_context.prompter.error(saved.error);
    return saved;
}

void PortraitCommands::connectCommands(const MainMenus &menus)
{
    for (QAction *item : {menus.questioningPortrait, menus.gradeBookPortrait})
        connect(item, &QAction::triggered, this, &PortraitCommands::ZhaopianClick);
}

void PortraitCommands::ZhaopianClick()
{
    Dataset &portrait = m_context.portraitQuery;
    (void)savePending();
    (void)portrait.close();
    portrait.setQuery(Sql::portrait(kName));
    if (const Result opened = portrait.open(); !opened)
        m_context.prompter.error(opened.error);
    // Shown afresh: a picture another program changed meanwhile is read again.
    m_panel.forgetPictures();
    m_panel.show();
    m_panel.refresh();
    Q_EMIT panelShown();
}

void PortraitCommands::closePanel()
{
    (void)savePending();
    (void)m_context.portraitQuery.close();
    m_panel.hide();
}

bool PortraitCommands::editStudentRow()
{
    Dataset &portrait = m_context.portraitQuery;
    if (!portrait.isOpen())
        return false;
    if (portrait.currentRow() >= 0)
        return portrait.edit();
    // No portrait row yet: one is made under the student's name, the key it is found by.
    const QVariant name
        = m_context.mainQuery.isOpen() && m_context.mainQuery.currentRow() >= 0 ? m_context.mainQuery.value(kName) : QVariant();
    if (name.toString().trimmed().isEmpty()) {
        m_context.prompter.notice(kNotice, QStringLiteral("请先选定一名有姓名的学生，再载入相片或填写个性宣言。"));
        return false;
    }
    if (!portrait.insert())
        return false;
    if (const Result named = portrait.setValue(kName, name); !named) {
        portrait.cancel();
        m_context.prompter.error(named.error);
        return false;
    }
    return true;
}

void PortraitCommands::DBImage1DblClick()
{
    if (m_selectionRunning && m_selectionRunning())
        return;
    const std::optional<QString> path
        = m_context.prompter.openFile(QStringLiteral("打开"), QStringLiteral("位图文件(*.bmp)|*.bmp"), QStringLiteral("*.bmp"));
    if (!path)
        return;
    // The dialog hands back a typed name too: a file that is not there is said so.
    QFile file(*path);
    if (!QFileInfo(*path).isFile()) {
        m_context.prompter.notice(kNotice, QStringLiteral("文件“%1”不存在，相片没有改变。").arg(QFileInfo(*path).fileName()));
        return;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        m_context.prompter.error(QStringLiteral("无法读取文件“%1”，相片没有改变。").arg(QDir::toNativeSeparators(*path)));
        return;
    }
    const QByteArray bytes = file.readAll();
    const PortraitBitmap::Decoded decoded = PortraitBitmap::decode(bytes, PortraitPanel::kPictureSize);
    if (const QString refused = refusal(decoded, QFileInfo(*path).fileName()); !refused.isEmpty()) {
        m_context.prompter.notice(kNotice, refused);
        return;
    }
    if (!editStudentRow())
        return;
    // The row is stored first (a new one under the student's name), then the picture
    // beside it; it is kept at once, as the file it came from may be gone by the time the
    // row moves.
    Dataset &portrait = m_context.portraitQuery;
    if (!savePending())
        return;
    if (const Result stored = portrait.writeStored(kPicture, bytes); !stored) {
        m_context.prompter.error(stored.error);
        return;
    }
    m_panel.takePicture(portrait.value(kName).toString(), decoded.image);
}

void PortraitCommands::takeMotto(const QString &text)
{
    Dataset &portrait = m_context.portraitQuery;
    if (portrait.isOpen() && portrait.currentRow() < 0 && text.isEmpty())
        return;
    if (!editStudentRow())
        return;
    if (const Result taken = portrait.setValue(QStringLiteral("宣言"), text); !taken)
        m_context.prompter.error(taken.error);
}
