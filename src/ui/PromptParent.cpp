#include "PromptParent.h"

#include <QApplication>
#include <QWidget>

namespace PromptParent {

QWidget *choose(QWidget *given)
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget *active = QApplication::activeWindow(); active && active->isVisible())
        return active;
    if (given && given->isVisible())
        return given->window();
    return nullptr;
}

} // namespace PromptParent
