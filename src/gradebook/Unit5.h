#pragma once

#include "Sorting.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

/// Sort dialog (module Unit5, "排序"): a column and a direction, and either a sort (with
/// ranks in the grade book) or group totals; in the questioning view one of four keys.
class TForm5 final : public QDialog {
    Q_OBJECT

public:
    /// fieldNames are the main query's fields; showItemGroup is true for the questioning view.
    TForm5(Sorting &sorting, TableNames tables, const QStringList &fieldNames, bool showItemGroup, QWidget *parent = nullptr);
    Q_DISABLE_COPY_MOVE(TForm5)

    /// What the controls hold now.
    SortChoice choice() const;

    QComboBox *columnBox() const { return m_columnBox; }
    QRadioButton *sortChoice() const { return m_sort; }
    QRadioButton *groupChoice() const { return m_group; }
    QGroupBox *itemGroup() const { return m_itemGroup; }
    QRadioButton *item(int index) const;
    QCheckBox *directionBox() const { return m_direction; }
    QPushButton *okButton() const { return m_ok; }

    /// The direction box: flips its caption between 降序 and 升序; its mark stays.
    void CheckBox1Click();
    /// 确定: runs the sort; the dialog closes unless a questioning sort failed.
    void BitBtn1Click();

private:
    void FormCreate(const QStringList &fieldNames);

    Sorting &m_sorting;
    TableNames m_tables;
    QComboBox *m_columnBox;
    QRadioButton *m_sort;
    QRadioButton *m_group;
    QGroupBox *m_itemGroup;
    QButtonGroup *m_items;
    QCheckBox *m_direction;
    QPushButton *m_ok;
};
