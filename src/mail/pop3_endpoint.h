#pragma once

#include <QString>
#include <chrono>

namespace chronolien {

// A server that has sent nothing for this long, in a check or a deletion, is given up.
inline constexpr std::chrono::milliseconds ServerReplyLimit = std::chrono::seconds(60);

// Where and how an account's server is reached. The server text of courrier.ini chooses the
// transport within its 60 characters: "host" or "host:port" speak plain POP3; "pop3s://host",
// "pop3s://host:port" and any "host:995" speak POP3 inside TLS from the first byte.
struct Pop3Endpoint {
    static constexpr quint16 PlainPort = 110;
    static constexpr quint16 SecurePort = 995;

    QString host;
    quint16 port = PlainPort;
    bool secure = false;

    bool operator==(const Pop3Endpoint&) const = default;
};

Pop3Endpoint parsePop3Server(const QString& server);

// The help of the mailbox address page's server box: how to ask for a secure server, and how to
// trust the certificate of one's own server. The page ends it with a full stop.
inline QString secureServerHelpText()
{
    return QStringLiteral("Pour un serveur sécurisé (TLS), écrivez pop3s:// devant son nom, par exemple "
                          "pop3s://pop.example.org ; si son certificat n'est signé par aucune autorité "
                          "reconnue (un certificat fait par vous-même), placez-en une copie au format PEM "
                          "dans le dossier « certificats » du dossier de Chronolien");
}

} // namespace chronolien
