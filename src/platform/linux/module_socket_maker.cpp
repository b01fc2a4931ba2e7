#include "platform/linux/module_socket_maker.h"

#include "platform/linux/module_symbol.h"

namespace chronolien {

ModuleSocketMaker::ModuleSocketMaker(QString modulePath)
    : m_modulePath(std::move(modulePath))
{
}

std::unique_ptr<StreamSocket> ModuleSocketMaker::makeSocket(StreamSocket::Listener& listener)
{
    if (!m_loadTried) {
        m_loadTried = true;
        m_create = reinterpret_cast<NetworkModuleFactory>(moduleSymbol(m_modulePath, NetworkModuleFactoryName,
            "no mail can be checked: the network module did not load:"));
    }
    return std::unique_ptr<StreamSocket>(m_create ? m_create(listener) : nullptr);
}

} // namespace chronolien
