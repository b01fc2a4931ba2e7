#pragma once

#include "platform/stream_socket.h"

namespace chronolien {

// The one symbol of the network module: a new stream socket that the caller owns, telling the
// listener what happens.
using NetworkModuleFactory = StreamSocket* (*)(StreamSocket::Listener& listener);
inline constexpr char NetworkModuleFactoryName[] = "chronolien_stream_socket";

} // namespace chronolien
