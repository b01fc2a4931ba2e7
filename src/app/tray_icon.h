#pragma once

#include <QObject>
#include <memory>

class QMenu;
class QSystemTrayIcon;

namespace chronolien {

class TrayHostWatcher;

// The program's icon in the desktop's tray, made only once there is a tray to hold it. Qt asks
// the desktop once per process, at the first tray icon made or asked about, whether a
// StatusNotifierItem host runs, and never asks again: an icon made before the panel starts would
// never appear there. So the rest of the program never makes or asks QSystemTrayIcon anything
// itself: it waits for this object's icon (TrayNotices speaks through it once it exists).
class TrayIcon final : public QObject {
    Q_OBJECT

public:
    // The menu opens on a right click; it stays the caller's.
    TrayIcon(TrayHostWatcher& trays, QMenu* menu);
    ~TrayIcon() override;

    // Puts the icon in the tray now when there is one, else as soon as one starts.
    void show();
    // Takes the icon out of the tray for good, at the end of the run.
    void remove();
    // The icon is in a tray.
    bool isShown() const;
    // The icon once made; null until then.
    QSystemTrayIcon* icon() const { return m_icon.get(); }

Q_SIGNALS:
    // The icon has just been put in a tray.
    void shown();
    // The left button on the icon.
    void clicked();

private:
    void create();

    TrayHostWatcher& m_trays;
    QMenu* m_menu;
    bool m_wanted = false;
    std::unique_ptr<QSystemTrayIcon> m_icon;
};

} // namespace chronolien
