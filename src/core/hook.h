#pragma once

#include <functional>

namespace chronolien {

// Runs a hook set where the program is wired; one left empty (a test's, a part not built) does
// nothing.
template <typename... Args> void runHook(const std::function<void(Args...)>& hook, Args... args)
{
    if (hook)
        hook(args...);
}

} // namespace chronolien
