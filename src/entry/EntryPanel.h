#pragma once

#include "EntryInput.h"
#include "EntryKind.h"

#include <QWidget>

class EntryGrid;
class QGridLayout;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

/// The entry panel (Panel1): 160 pixels at the right edge of the main window, with a
/// toolbar of six icon buttons, the entry grid over the entry memo, and 添加, 删除 and
/// 隐藏. It holds the input; the commands behind its buttons are the main window's.
class EntryPanel final : public QWidget {
    Q_OBJECT

public:
    explicit EntryPanel(QWidget *parent = nullptr);

    EntryGrid *grid() const { return m_grid; }
    QPlainTextEdit *memo() const { return m_memo; }
    QToolButton *openButton() const { return m_open; }               ///< "打开"
    QToolButton *saveButton() const { return m_save; }               ///< "保存"
    QToolButton *saveDefaultButton() const { return m_saveDefault; } ///< "保存为默认模板"
    QToolButton *loadDefaultButton() const { return m_loadDefault; } ///< "导入默认模板"
    QToolButton *importButton() const { return m_import; }           ///< "从母版中导入"
    QToolButton *gridToggleButton() const { return m_gridToggle; }   ///< "隐藏网格" / "显示网格"
    QPushButton *addButton() const { return m_add; }                 ///< "添加" (BitBtn3)
    QPushButton *deleteButton() const { return m_delete; }           ///< "删除" (BitBtn4)
    QPushButton *hideButton() const { return m_hide; }               ///< "隐藏" (BitBtn1)

    /// True while the grid, not the memo, takes the input (at start, and kept while the
    /// program runs).
    bool gridInUse() const { return m_gridInUse; }
    /// The input as the batch add reads it.
    EntryInput input() const;
    /// As the panel is opened through 录入: the grid reset for the kind, the memo cleared.
    void resetInput(EntryKind kind);
    /// Enables or disables the six toolbar buttons (disabled while the portrait panel is in front).
    void setToolbarEnabled(bool enabled);
    /// Puts a widget (the portrait panel) in the place of the grid and the memo.
    void addToInputArea(QWidget *widget);
    /// Focus to the grid when the panel and the grid are both shown; false otherwise.
    bool focusGrid();
    /// 1-based number of the memo line that holds the caret.
    int caretLine() const;

    /// The grid toggle: hides the grid (hint "显示网格", memo cleared, the memo takes the
    /// input) or shows it again (hint "隐藏网格", the memo keeps its text).
    void SpeedButton3Click();

Q_SIGNALS:
    void openClicked();
    void saveClicked();
    void saveDefaultClicked();
    void loadDefaultClicked();
    void importClicked();
    void addClicked();    ///< 添加: the batch add (BitBtn3Click)
    void deleteClicked(); ///< 删除: delete the current student (BitBtn4Click)
    void hideClicked();   ///< 隐藏: hide the panel (the main window's BitBtn1Click)
    /// A click in the memo: the caret's line, for the status bar's third panel (Memo1Click).
    void caretLineChanged(int line);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QToolButton *m_open;
    QToolButton *m_save;
    QToolButton *m_saveDefault;
    QToolButton *m_loadDefault;
    QToolButton *m_import;
    QToolButton *m_gridToggle;
    QGridLayout *m_inputArea;
    QPlainTextEdit *m_memo;
    EntryGrid *m_grid;
    QPushButton *m_add;
    QPushButton *m_delete;
    QPushButton *m_hide;
    bool m_gridInUse = true;
};
