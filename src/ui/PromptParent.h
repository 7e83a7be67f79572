#pragma once

class QWidget;

/// Which window a message box, input box or file dialog belongs to. It opens centred over
/// the window that asked and stays above it, even an always-on-top one.
namespace PromptParent {
/// The modal dialog in front (the login dialog, also at the very first start while the
/// main window is still hidden); else the active window; else `given` when it is shown;
/// else none, and the box is centred on the screen.
QWidget *choose(QWidget *given);
} // namespace PromptParent
