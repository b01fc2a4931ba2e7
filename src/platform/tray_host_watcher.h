#pragma once

#include <QObject>

namespace chronolien {

// Tells whether the desktop runs a tray that can show the program's icon, and when one starts.
// The icon is created only once a tray is there: a tray icon made earlier may never reach a tray
// that starts later.
class TrayHostWatcher : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual bool available() const = 0;

Q_SIGNALS:
    // A tray started. Also emitted when a tray restarts, or when a second kind of tray starts.
    void hostAppeared();
};

} // namespace chronolien
