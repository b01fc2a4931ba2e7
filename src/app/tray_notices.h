#pragma once

#include <QPointer>
#include <QString>
#include <QtGlobal>

class QSystemTrayIcon;

namespace chronolien {

struct AppState;

// What the tray icon says besides its picture: the tooltip with the month's time, and the balloon
// that stands in for the desktop's notifications where it has no notification service. There may
// be no icon yet (no tray host so far) or a new one later: the tooltip waits for it.
class TrayNotices {
public:
    explicit TrayNotices(const AppState& state);

    // The icon to speak through; null while there is none.
    void setIcon(QSystemTrayIcon* icon);
    // Brings the tooltip in line with the counters; the icon is left alone while its text holds.
    void refreshToolTip();
    // A balloon on the icon while one is shown in a tray; otherwise nothing, the mail window and
    // its sound telling of the mail still.
    void showBalloon(const QString& title, const QString& text);

private:
    const AppState& m_state;
    QPointer<QSystemTrayIcon> m_icon;
    QString m_toolTip;
    // What the tooltip was made from: it is made again only when they change, which with the line
    // down is seldom, while the refresh comes every second.
    struct Counters {
        qint32 month = -1;
        qint32 allowance = -1;
        bool plan = false;
        bool operator==(const Counters&) const = default;
    } m_madeFrom;
};

} // namespace chronolien
