#include "mail/logging.h"

namespace chronolien {

Q_LOGGING_CATEGORY(lcMail, "chronolien.mail")

} // namespace chronolien
