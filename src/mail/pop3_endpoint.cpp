#include "mail/pop3_endpoint.h"

#include <optional>

namespace chronolien {

namespace {

const QString SecureScheme = QStringLiteral("pop3s://");

// The port written after the host's last colon, when it is a number from 1 to 65535.
std::optional<quint16> portOf(const QString& text)
{
    bool ok = false;
    const uint port = text.toUInt(&ok);
    if (!ok || port < 1 || port > 65535)
        return std::nullopt;
    return quint16(port);
}

} // namespace

Pop3Endpoint parsePop3Server(const QString& server)
{
    Pop3Endpoint endpoint;
    QString rest = server;
    if (rest.startsWith(SecureScheme, Qt::CaseInsensitive)) {
        endpoint.secure = true;
        rest = rest.mid(SecureScheme.size());
    }
    const quint16 defaultPort = endpoint.secure ? Pop3Endpoint::SecurePort : Pop3Endpoint::PlainPort;
    endpoint.host = rest;
    endpoint.port = defaultPort;

    if (rest.startsWith(u'[')) {
        // An IPv6 address in brackets, its port after "]:".
        const qsizetype close = rest.indexOf(u']');
        if (close > 1) {
            const QString after = rest.mid(close + 1);
            std::optional<quint16> port = defaultPort;
            if (!after.isEmpty())
                port = after.startsWith(u':') ? portOf(after.mid(1)) : std::nullopt;
            if (port) {
                endpoint.host = rest.mid(1, close - 1);
                endpoint.port = *port;
            }
        }
    } else {
        // "host:port" has one colon; a bare IPv6 address has several and keeps the default port.
        const qsizetype colon = rest.indexOf(u':');
        if (colon > 0 && rest.lastIndexOf(u':') == colon) {
            if (const std::optional<quint16> port = portOf(rest.mid(colon + 1))) {
                endpoint.host = rest.left(colon);
                endpoint.port = *port;
            }
        }
    }
    if (endpoint.port == Pop3Endpoint::SecurePort)
        endpoint.secure = true;
    return endpoint;
}

} // namespace chronolien
