#pragma once

namespace chronolien {

// The program's icon in the tray, as quitting needs it.
class TrayIcon {
public:
    virtual ~TrayIcon() = default;
    virtual void RemoveTrayIcon() = 0;
};

} // namespace chronolien
