#pragma once

#include "EntryKind.h"

#include <QtGlobal>

#include <functional>
#include <memory>

struct AppContext;
class EntryPanel;
class MainMenus;
class QAbstractButton;
class TemplateCommands;
class PortraitCommands;
class GradingSettings;
class MainView;
class QWidget;

/// The entry panel's commands: 录入 through the entry-kind chooser, 添加 (the batch add),
/// 删除, 隐藏 and the caret line of the memo. Works on the shared context, the main view and
/// its own panel; keeps the entry kind.
class EntryCommands final {
public:
    /// The comment settings' score boxes, as they stand when a batch of evaluations runs.
    using GradeScores = std::function<const GradingSettings &()>;

    /// windows is the parent of the chooser and the column-name dialog; mainGrid takes the
    /// focus when the entry grid cannot.
    EntryCommands(
        AppContext &context, MainView &view, EntryPanel &panel, QWidget &mainGrid, GradeScores gradeScores, QWidget *windows);
    ~EntryCommands();
    Q_DISABLE_COPY_MOVE(EntryCommands)

    /// Connects 录入 of both menus and of the grade-book toolbar (toolbarEntry), 保存为母版,
    /// and the panel's buttons (添加, 删除, 隐藏, the template and roster buttons) and the
    /// memo's caret line to their handlers.
    void connectCommands(const MainMenus &menus, QAbstractButton &toolbarEntry);

    /// 录入 (both 操作 menus, Ctrl+L, the grade-book toolbar): the panel through the
    /// entry-kind chooser, with the current table shown and an empty input.
    void SpeedButton2Click();
    /// 添加: the batch add of the entry kind on the current table.
    void BitBtn3Click();
    /// 删除: deletes the student of the main grid's current row after a question.
    void BitBtn4Click();
    /// 隐藏: hides the panel and leaves the portrait query closed on the column 总分,
    /// which group totals also carry.
    void BitBtn1Click();
    /// A click in the memo: its caret line into the status bar's third panel.
    void Memo1Click(int line);

    EntryKind entryKind() const { return m_entryKind; }
    /// The portrait panel the entry panel hosts: 添加 loads a picture while it is shown,
    /// 录入 and 隐藏 close it.
    void setPortrait(PortraitCommands *portrait) { m_portrait = portrait; }

private:
    AppContext &m_context;
    MainView &m_view;
    EntryPanel &m_panel;
    QWidget &m_mainGrid;
    GradeScores m_gradeScores;
    QWidget *m_windows;
    EntryKind m_entryKind = EntryKind::None;
    PortraitCommands *m_portrait = nullptr;
    // Keeps its dialogs' last filters for as long as the window lives.
    std::unique_ptr<TemplateCommands> m_templates;
};
