#pragma once

#include <QComboBox>

/// A drop-down list that takes no typed text. While nothing is chosen, its opened list
/// highlights nothing either, so the first Down picks the first item.
class DropDownList : public QComboBox {
    Q_OBJECT

public:
    explicit DropDownList(QWidget *parent = nullptr);

    void showPopup() override;
};
