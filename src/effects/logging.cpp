#include "effects/logging.h"

namespace chronolien {

Q_LOGGING_CATEGORY(lcEffects, "chronolien.effects")

} // namespace chronolien
