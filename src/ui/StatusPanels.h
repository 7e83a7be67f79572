#pragma once

#include <QtGlobal>

class QLabel;
class QStatusBar;
class QString;

/// The main window's status bar: three sunken panels of fixed width, the first centred
/// and reading "青穗课堂提问助手".
class StatusPanels final {
public:
    explicit StatusPanels(QStatusBar &bar);
    Q_DISABLE_COPY_MOVE(StatusPanels)

    /// Text of a panel (0 to 2); any other panel is ignored.
    void setText(int panel, const QString &text);

private:
    QLabel *m_panels[3] = {};
};
