#include "StatusPanels.h"

#include <QFontMetrics>
#include <QLabel>
#include <QStatusBar>

#include <algorithm>

StatusPanels::StatusPanels(QStatusBar &bar)
{
    const int widths[3] = {120, 490, 30};
    for (int i = 0; i < 3; ++i) {
        auto *panel = new QLabel(&bar);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i + 1));
        panel->setFixedWidth(widths[i]);
        // A path or a name in a panel is shown as it is, never read as markup.
        panel->setTextFormat(Qt::PlainText);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        bar.addWidget(panel);
        m_panels[i] = panel;
    }
    m_panels[0]->setAlignment(Qt::AlignCenter);
    m_panels[0]->setText(QStringLiteral("青穗课堂提问助手"));
    // Chinese characters reach past the font's own line height: the panels are made tall
    // enough for them, with a little room above and below.
    const QFontMetrics metrics(m_panels[0]->font());
    const int textHeight = std::max(metrics.height(), metrics.boundingRect(m_panels[0]->text()).height());
    for (QLabel *panel : m_panels)
        panel->setMinimumHeight(textHeight + 2 * panel->frameWidth() + 4);
    bar.setSizeGripEnabled(false);
}

void StatusPanels::setText(int panel, const QString &text)
{
    if (panel >= 0 && panel < 3)
        m_panels[panel]->setText(text);
}
