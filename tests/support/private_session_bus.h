#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace chronolien::test {

// Called first in a test's main(): runs the test again inside dbus-run-session, on a session bus of
// its own that ends with it, so that nothing reaches the desktop of the person running the tests.
// Returns only inside that bus; exits with 77 (skipped) where dbus-run-session is missing.
inline void runOnPrivateSessionBus(int argc, char** argv)
{
    const char* const OnPrivateBus = "CHRONOLIEN_ON_PRIVATE_SESSION_BUS";
    if (std::getenv(OnPrivateBus) && std::getenv("DBUS_SESSION_BUS_ADDRESS"))
        return;
    setenv(OnPrivateBus, "1", 1);
    std::string config = std::string("--config-file=") + CHRONOLIEN_SESSION_BUS_CONFIG;
    std::error_code error;
    std::string self = std::filesystem::read_symlink("/proc/self/exe", error).string();
    if (self.empty())
        self = argv[0];
    std::vector<char*> command { const_cast<char*>("dbus-run-session"), config.data(),
        const_cast<char*>("--"), self.data() };
    command.insert(command.end(), argv + 1, argv + argc);
    command.push_back(nullptr);
    execvp(command[0], command.data());
    std::fprintf(stderr, "SKIP: no private session bus: dbus-run-session (package dbus-daemon) is missing\n");
    std::exit(77);
}

} // namespace chronolien::test
