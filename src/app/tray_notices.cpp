#include "app/tray_notices.h"

#include "accounting/counter_texts.h"
#include "state/app_state.h"

#include <QSystemTrayIcon>

namespace chronolien {

TrayNotices::TrayNotices(const AppState& state)
    : m_state(state)
{
}

void TrayNotices::setIcon(QSystemTrayIcon* icon)
{
    m_icon = icon;
    if (m_icon && !m_toolTip.isEmpty())
        m_icon->setToolTip(m_toolTip);
}

void TrayNotices::refreshToolTip()
{
    const Settings& s = m_state.settings;
    const Counters counters { s.cpt_mois, s.cpt_limite, s.forfait };
    if (counters == m_madeFrom && !m_toolTip.isEmpty())
        return;
    m_madeFrom = counters;
    const QString text = trayToolTip(s.cpt_mois, s.cpt_limite, s.forfait);
    if (text == m_toolTip)
        return;
    m_toolTip = text;
    if (m_icon)
        m_icon->setToolTip(m_toolTip);
}

void TrayNotices::showBalloon(const QString& title, const QString& text)
{
    if (m_icon && m_icon->isVisible() && QSystemTrayIcon::isSystemTrayAvailable())
        m_icon->showMessage(title, text, QSystemTrayIcon::Information);
}

} // namespace chronolien
