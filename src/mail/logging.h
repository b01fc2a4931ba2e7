#pragma once

#include <QLoggingCategory>

namespace chronolien {

// The mail library's warnings: failures the user cannot see, on standard error.
Q_DECLARE_LOGGING_CATEGORY(lcMail)

} // namespace chronolien
