#pragma once

#include "platform/linux/network_module.h"

namespace chronolien {

// Makes stream sockets with Qt Network, which lives in a module of its own beside the executable
// (libchronolien_network.so) and is loaded with the first socket: Qt Network and the libraries it
// brings weigh more at start than the rest of the program, and a run with mail checking off opens
// no socket at all. Without the module no socket is made.
class ModuleSocketMaker final : public StreamSocketMaker {
public:
    explicit ModuleSocketMaker(QString modulePath);
    std::unique_ptr<StreamSocket> makeSocket(StreamSocket::Listener& listener) override;

private:
    QString m_modulePath;
    bool m_loadTried = false;
    NetworkModuleFactory m_create = nullptr;
};

} // namespace chronolien
