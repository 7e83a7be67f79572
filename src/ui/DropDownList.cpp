#include "DropDownList.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>

DropDownList::DropDownList(QWidget *parent)
    : QComboBox(parent)
{
    setEditable(false);
}

void DropDownList::showPopup()
{
    QComboBox::showPopup();
    // The list would otherwise start on the first item, and Down would skip it.
    if (currentIndex() < 0)
        view()->selectionModel()->clearCurrentIndex();
}
