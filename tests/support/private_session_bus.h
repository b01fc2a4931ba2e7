#pragma once

namespace chronolien::test {

// Called first in a test's main(): runs the test again inside dbus-run-session, on a session bus of
// its own that ends with it, so that nothing reaches the desktop of the person running the tests.
// Returns only inside that bus; exits with 77 (skipped) where dbus-run-session is missing.
void runOnPrivateSessionBus(int argc, char** argv);

} // namespace chronolien::test
