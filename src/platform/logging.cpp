#include "platform/logging.h"

namespace chronolien {

Q_LOGGING_CATEGORY(lcPlatform, "chronolien.platform", QtInfoMsg)

} // namespace chronolien
