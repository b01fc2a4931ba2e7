#pragma once

#include <QLoggingCategory>

namespace chronolien {

// The desktop's services on the session bus and the X server: notifications, the tray.
Q_DECLARE_LOGGING_CATEGORY(lcDesktop)

} // namespace chronolien
