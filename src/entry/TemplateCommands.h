#pragma once

#include "EntryKind.h"

#include <QString>
#include <functional>
#include <optional>

struct AppContext;
class DataFiles;
class EntryPanel;

/// One of the main window's two file dialogs as the commands leave it: its title, and
/// the filter and default extension set by the last command that showed it.
struct FileDialogSetting final {
    QString title;
    QString filter;
    QString defaultExtension;
};

/// The entry panel's template commands: open and save a template file, save and load the
/// default template of the logged-in class and subject. They fill or read the panel's
/// input in use and never touch the database.
class TemplateCommands final {
public:
    /// kind tells the entry kind chosen last (none before the entry-kind chooser's OK).
    TemplateCommands(AppContext &context, EntryPanel &panel, std::function<EntryKind()> kind);

    /// 打开: loads a file chosen by the teacher into the input in use.
    void SpeedButton7Click();
    /// 保存: saves the input in use to a file chosen by the teacher.
    void SpeedButton9Click();
    /// 保存为默认模板: saves the input in use as the default template, after asking.
    void SpeedButton8Click();
    /// 导入默认模板: loads the default template into the input in use.
    void SpeedButton10Click();

    /// The open dialog, shared with the portrait loading, which sets its own filter.
    FileDialogSetting &openDialog() { return m_openDialog; }
    const FileDialogSetting &saveDialog() const { return m_saveDialog; }

    /// The Data file name of the default template of the logged-in class and subject for
    /// kind; empty for no kind.
    QString defaultTemplateName(EntryKind kind) const;
    /// The dialog filter of a kind ("名单文件(*.qsm)|*.qsm"...); empty for no kind.
    static QString filter(EntryKind kind);
    /// The extension of a kind's files (qsm, qsc, qsp); empty for no kind.
    static QString extension(EntryKind kind);

private:
    /// Puts a file's text into the input in use; false (input unchanged) when it could not be read.
    bool load(
        const std::function<std::optional<QString>()> &text, const std::function<std::optional<QStringList>(int)> &firstLines);
    /// Writes the input in use to the file; shows the failure with caption 错误.
    void save(DataFiles &files, const QString &name);
    void useKind(FileDialogSetting &dialog) const;

    AppContext &m_context;
    EntryPanel &m_panel;
    std::function<EntryKind()> m_kind;
    FileDialogSetting m_openDialog;
    FileDialogSetting m_saveDialog;
};
