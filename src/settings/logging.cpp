#include "settings/logging.h"

namespace chronolien {

Q_LOGGING_CATEGORY(lcSettings, "chronolien.settings")

} // namespace chronolien
