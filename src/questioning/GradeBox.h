#pragma once

#include "ui/DropDownList.h"

/// The grade box of the questioning toolbar. Choosing a grade records it in front of the
/// class, so only a deliberate choice may do so: the mouse wheel changes the grade only
/// while the box has the keyboard focus (clicked or reached by Tab), and turning the wheel
/// over it does not give it that focus.
class GradeBox final : public DropDownList {
    Q_OBJECT

public:
    explicit GradeBox(QWidget *parent = nullptr);

protected:
    void wheelEvent(QWheelEvent *event) override;
};
