#pragma once

#include "store/Result.h"

#include <QObject>
#include <functional>

struct AppContext;
class MainMenus;
class MainView;
class PortraitPanel;

/// The portrait commands: show the panel on the portrait query (ZhaopianClick), load a
/// bitmap as the current student's picture (DBImage1DblClick), take the typed motto, and
/// close the panel. A pending change of the portrait row is saved before the query moves
/// or closes; a student without a portrait row gets one under his name.
class PortraitCommands final : public QObject {
    Q_OBJECT

public:
    /// selectionRunning tells whether a random selection is racing (pictures are not
    /// loaded then); none means never.
    PortraitCommands(AppContext &context, MainView &view, PortraitPanel &panel, std::function<bool()> selectionRunning = {},
        QObject *parent = nullptr);
    Q_DISABLE_COPY_MOVE(PortraitCommands)

    /// Connects 个性图片 of both 操作 menus to ZhaopianClick.
    void connectCommands(const MainMenus &menus);

    /// 个性图片 of both 操作 menus: saves a pending change, re-opens the portrait query on
    /// the main query's current student and shows the panel; then panelShown() is emitted
    /// for the entry panel to show it and disable its toolbar.
    void ZhaopianClick();
    /// Double-click on the picture, or 添加 while the panel is shown: a bitmap chosen in the
    /// "打开" dialog becomes the current student's picture and is stored at once.
    void DBImage1DblClick();
    /// The teacher typed in the motto box: the text goes into 宣言 of the student's row.
    void takeMotto(const QString &text);
    /// For 隐藏 and 录入: saves a pending change, closes the portrait query, hides the panel.
    void closePanel();
    /// Posts a pending change of the portrait row; a refusal is shown and returned.
    Result savePending();
    bool isShown() const;

Q_SIGNALS:
    void panelShown();

private:
    bool editStudentRow();
    /// The portrait query kept a motto it could not save when the student changed.
    void reportKeptMotto(const QString &error);

    AppContext &m_context;
    MainView &m_view;
    PortraitPanel &m_panel;
    std::function<bool()> m_selectionRunning;
    bool m_reportingKept = false;
};
