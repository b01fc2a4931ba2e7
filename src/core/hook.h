#pragma once

#include <functional>

namespace chronolien {

// Runs a hook set where the program is wired; one left empty (a test's, a part not built) does
// nothing.
inline void runHook(const std::function<void()>& hook)
{
    if (hook)
        hook();
}

} // namespace chronolien
