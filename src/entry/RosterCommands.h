#pragma once

#include "EntryKind.h"

struct AppContext;
class MainView;
struct Result;

/// The class roster commands: 保存为母版 copies the current table's students into the
/// class table, 从母版中导入 replaces the current table's students by the class table's.
/// Each copy runs all or nothing; the master roster 母版 is never touched.
class RosterCommands final {
public:
    RosterCommands(AppContext &context, MainView &view);

    /// 文件 > 保存为母版 (administrator password only).
    void N2Click();
    /// 从母版中导入 of the entry panel, after a confirmation.
    void SpeedButton1Click();

    /// 从母版中导入 is enabled only for roster entry and while the portrait panel is hidden.
    static bool importEnabled(EntryKind kind, bool portraitShown) { return kind == EntryKind::Roster && !portraitShown; }

private:
    /// Shows the current table again after a copy: ordered by number in the questioning
    /// mode (ordered when ordered is set), the grade-book view otherwise; then the formatting.
    Result showCurrentTable(bool ordered);

    AppContext &m_context;
    MainView &m_view;
};
