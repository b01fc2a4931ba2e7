#include "app/tray_icon.h"

#include "app/tray_picture.h"
#include "platform/tray_host_watcher.h"

#include <QSystemTrayIcon>

namespace chronolien {

TrayIcon::TrayIcon(TrayHostWatcher& trays, QMenu* menu)
    : m_trays(trays)
    , m_menu(menu)
{
    connect(&m_trays, &TrayHostWatcher::hostAppeared, this, [this] {
        if (m_wanted && !m_icon)
            create();
    });
}

TrayIcon::~TrayIcon() = default;

void TrayIcon::show()
{
    m_wanted = true;
    if (!m_icon && m_trays.available())
        create();
}

void TrayIcon::remove()
{
    m_wanted = false;
    if (m_icon)
        m_icon->hide();
}

bool TrayIcon::isShown() const
{
    return m_icon && m_icon->isVisible();
}

void TrayIcon::create()
{
    m_icon = std::make_unique<QSystemTrayIcon>(trayPicture());
    m_icon->setContextMenu(m_menu);
    // The right button opens the menu by itself; a hover or a middle click does nothing.
    connect(
        m_icon.get(), &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
            if (reason == QSystemTrayIcon::Trigger)
                Q_EMIT clicked();
        });
    m_icon->show();
    Q_EMIT shown();
}

} // namespace chronolien
