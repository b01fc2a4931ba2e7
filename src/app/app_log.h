#pragma once

#include <QLoggingCategory>

namespace chronolien {

// The program's own warnings about its place on the desktop: failures the user cannot see.
Q_DECLARE_LOGGING_CATEGORY(lcApp)

} // namespace chronolien
