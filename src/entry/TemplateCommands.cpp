#include "TemplateCommands.h"

#include "EntryGrid.h"
#include "EntryPanel.h"
#include "TemplateFile.h"
#include "TemplateMessages.h"
#include "store/DataPaths.h"
#include "store/LoginState.h"
#include "ui/AppContext.h"
#include "ui/Prompter.h"

#include <QPlainTextEdit>

using namespace TemplateMessages;

TemplateCommands::TemplateCommands(AppContext &context, EntryPanel &panel, std::function<EntryKind()> kind)
    : m_context(context)
    , m_panel(panel)
    , m_kind(std::move(kind))
    , m_openDialog{kOpenTitle, kInitialFilter, {}}
    , m_saveDialog{kSaveTitle, kInitialFilter, {}}
{
}

namespace {
/// What a kind of template file is called: its dialog filter, its extension, and the
/// name its default template ends with.
struct TemplateKind final {
    QString filter;
    QString extension;
    QString defaultName;
};

std::optional<TemplateKind> templateKind(EntryKind kind)
{
    switch (kind) {
    case EntryKind::Roster:
        return TemplateKind{QStringLiteral("名单文件(*.qsm)|*.qsm"), QStringLiteral("qsm"), QStringLiteral("名单默认模板.qs")};
    case EntryKind::Score:
        return TemplateKind{QStringLiteral("成绩文件(*.qsc)|*.qsc"), QStringLiteral("qsc"), QStringLiteral("成绩默认模板.qs")};
    case EntryKind::Evaluation:
        return TemplateKind{QStringLiteral("评价文件(*.qsp)|*.qsp"), QStringLiteral("qsp"), QStringLiteral("评价默认模板.qs")};
    case EntryKind::None: break;
    }
    return std::nullopt;
}
} // namespace

QString TemplateCommands::filter(EntryKind kind)
{
    const std::optional<TemplateKind> files = templateKind(kind);
    return files ? files->filter : QString();
}

QString TemplateCommands::extension(EntryKind kind)
{
    const std::optional<TemplateKind> files = templateKind(kind);
    return files ? files->extension : QString();
}

QString TemplateCommands::defaultTemplateName(EntryKind kind) const
{
    const std::optional<TemplateKind> files = templateKind(kind);
    if (!files)
        return {};
    return m_context.login.className + m_context.login.subject + files->defaultName;
}

void TemplateCommands::useKind(FileDialogSetting &dialog) const
{
    // With no entry kind the dialog keeps what it had last.
    const EntryKind kind = m_kind();
    if (kind == EntryKind::None)
        return;
    dialog.filter = filter(kind);
    dialog.defaultExtension = extension(kind);
}

void TemplateCommands::SpeedButton7Click()
{
    useKind(m_openDialog);
    const std::optional<QString> path
        = m_context.prompter.openFile(m_openDialog.title, m_openDialog.filter, m_openDialog.defaultExtension);
    if (!path)
        return;
    if (!load([&] { return TemplateFile::readText(*path); }, [&](int count) { return TemplateFile::readLines(*path, count); }))
        m_context.prompter.message(kError, kFileMissing, Prompter::Buttons::Ok, Prompter::Icon::Information);
}

void TemplateCommands::SpeedButton9Click()
{
    useKind(m_saveDialog);
    const std::optional<QString> path
        = m_context.prompter.saveFile(m_saveDialog.title, m_saveDialog.filter, m_saveDialog.defaultExtension);
    if (!path)
        return;
    auto [folder, name] = DataFolder::of(*path);
    save(folder, name);
}

void TemplateCommands::SpeedButton8Click()
{
    if (m_context.prompter.message(kError, kConfirmSaveDefault, Prompter::Buttons::YesNo, Prompter::Icon::Information)
        != Prompter::Answer::Yes)
        return;
    const QString name = defaultTemplateName(m_kind());
    if (name.isEmpty())
        return;
    save(m_context.dataFiles, name);
}

void TemplateCommands::SpeedButton10Click()
{
    const QString name = defaultTemplateName(m_kind());
    if (name.isEmpty())
        return;
    const DataFiles &files = m_context.dataFiles;
    if (!load([&] { return TemplateFile::readText(files, name); },
            [&](int count) { return TemplateFile::readLines(files, name, count); }))
        m_context.prompter.message(kError, kDefaultMissing, Prompter::Buttons::Ok, Prompter::Icon::Information);
}

bool TemplateCommands::load(
    const std::function<std::optional<QString>()> &text, const std::function<std::optional<QStringList>(int)> &firstLines)
{
    if (!m_panel.gridInUse()) {
        const std::optional<QString> read = text();
        if (!read)
            return false;
        m_panel.memo()->setPlainText(TemplateFile::withLineFeeds(*read));
        return true;
    }
    // The grid holds 199 lines: only they are read, from a file of any size. Rows below
    // the file's last line keep what they held.
    const std::optional<QStringList> lines = firstLines(EntryGrid::kDataRows);
    if (!lines)
        return false;
    for (int row = 1; row <= lines->size(); ++row)
        m_panel.grid()->setCellText(row, lines->at(row - 1));
    return true;
}

void TemplateCommands::save(DataFiles &files, const QString &name)
{
    QString error;
    const std::optional<QByteArray> bytes = m_panel.gridInUse() ? TemplateFile::gridBytes(m_panel.grid()->cellTexts(), &error)
                                                                : TemplateFile::memoBytes(m_panel.memo()->toPlainText(), &error);
    if (!bytes) {
        m_context.prompter.message(kError, error, Prompter::Buttons::Ok, Prompter::Icon::Information);
        return;
    }
    if (const Result written = files.write(name, *bytes); !written)
        m_context.prompter.message(kError, written.error, Prompter::Buttons::Ok, Prompter::Icon::Information);
}
