#include "PortraitCommands.h"

#include "PortraitPanel.h"
#include "store/Dataset.h"
#include "store/Statements.h"
#include "ui/AppContext.h"
#include "ui/MainMenus.h"
#include "ui/Prompter.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QImage>

namespace {

const QString kName = QStringLiteral("姓名");
using Caption::kNotice;

/// A Windows bitmap file that can be shown: the "BM" signature and a readable image.
bool isBitmap(const QByteArray &bytes)
{
    return bytes.startsWith("BM") && !QImage::fromData(bytes, "BMP").isNull();
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
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_context.prompter.error(QStringLiteral("无法读取文件“%1”：%2").arg(*path, file.errorString()));
        return;
    }
    const QByteArray bytes = file.readAll();
    if (!isBitmap(bytes)) {
        m_context.prompter.notice(kNotice, QStringLiteral("“%1”不是位图文件，相片没有改变。").arg(QFileInfo(*path).fileName()));
        return;
    }
    if (!editStudentRow())
        return;
    Dataset &portrait = m_context.portraitQuery;
    if (const Result stored = portrait.setValue(QStringLiteral("相片"), bytes); !stored) {
        portrait.cancel();
        m_context.prompter.error(stored.error);
        return;
    }
    // A picture is kept at once, as the file it came from may be gone by the time the row moves.
    if (!savePending())
        portrait.cancel();
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
