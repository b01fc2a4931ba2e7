#pragma once

namespace chronolien {

// The socket error numbers the mail dialogues act on.
enum SocketErrorNumber : int {
    ErrorHostNotFound = 11001,
    ErrorConnectionRefused = 10061,
    ErrorAddressInUse = 10048,
};

} // namespace chronolien
