#include "history/history_log.h"

Q_LOGGING_CATEGORY(lcHistory, "chronolien.history")
