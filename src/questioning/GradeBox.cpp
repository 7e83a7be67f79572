#include "GradeBox.h"

#include <QWheelEvent>

GradeBox::GradeBox(QWidget *parent)
    : DropDownList(parent)
{
    // A combo box takes the focus from the wheel by default, which would let the very
    // first notch through.
    setFocusPolicy(Qt::StrongFocus);
}

void GradeBox::wheelEvent(QWheelEvent *event)
{
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    DropDownList::wheelEvent(event);
}
