#include "platform/linux/desktop_log.h"

namespace chronolien {

Q_LOGGING_CATEGORY(lcDesktop, "chronolien.desktop")

} // namespace chronolien
