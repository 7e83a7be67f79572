#include "StatusPanels.h"

#include <QLabel>
#include <QStatusBar>

StatusPanels::StatusPanels(QStatusBar &bar)
{
    const int widths[3] = {120, 490, 30};
    for (int i = 0; i < 3; ++i) {
        auto *panel = new QLabel(&bar);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i + 1));
        panel->setFixedWidth(widths[i]);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        bar.addWidget(panel);
        m_panels[i] = panel;
    }
    m_panels[0]->setAlignment(Qt::AlignCenter);
    m_panels[0]->setText(QStringLiteral("青穗课堂提问助手"));
    bar.setSizeGripEnabled(false);
}

void StatusPanels::setText(int panel, const QString &text)
{
    if (panel >= 0 && panel < 3)
        m_panels[panel]->setText(text);
}
