#pragma once

#include <QWidget>

class QHBoxLayout;
class QToolButton;

/// The grade-book toolbar: five flat buttons with a picture above the caption.
class GradeBookToolbar final : public QWidget {
    Q_OBJECT

public:
    explicit GradeBookToolbar(QWidget *parent = nullptr);

    QToolButton *switchButton() const { return m_switch; } ///< "切换" (SpeedButton6)
    QToolButton *entryButton() const { return m_entry; }   ///< "录入" (SpeedButton2)
    QToolButton *sortButton() const { return m_sort; }     ///< "排序"
    QToolButton *clearButton() const { return m_clear; }   ///< "清除"
    QToolButton *modifyButton() const { return m_modify; } ///< "修改"
    /// Adds a button of another feature after the others, alike in look; its accessible
    /// name is its caption.
    QToolButton *addButton(const QString &name, const QString &caption, const QString &hint);

private:
    QHBoxLayout *m_layout;
    QToolButton *m_switch;
    QToolButton *m_entry;
    QToolButton *m_sort;
    QToolButton *m_clear;
    QToolButton *m_modify;
};
