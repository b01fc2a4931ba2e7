#include "app/app_log.h"

namespace chronolien {

Q_LOGGING_CATEGORY(lcApp, "chronolien.app", QtInfoMsg)

} // namespace chronolien
