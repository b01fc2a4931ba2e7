#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <memory>

namespace chronolien {

// A TCP connection to a server, plain or inside TLS. Each open() starts from a socket of its own,
// bound to the given local port (0: the system's choice), and close() drops it at once with its
// port; nothing of one attempt reaches the next. Over TLS the server's certificate is always
// verified, against the system's authorities and the extra ones given, and the host name; the
// connection is ready only once it is.
//
// What happens is told to the listener, synchronously, from open() or from the event loop; the
// listener may close the socket, or open it again, from any of its calls.
class StreamSocket {
public:
    enum class Failure {
        HostNotFound,
        ConnectionRefused,
        AddressInUse, // the local port
        Other,
    };
    enum class Refusal {
        NoTls, // this system has no TLS library
        CertificateNotVerified, // detail: what failed in the verification
        ClosedDuringHandshake,
        HandshakeFailed, // detail: the TLS library's words
    };

    class Listener {
    public:
        virtual ~Listener() = default;
        // A step on the way: the TCP connection is up, or bytes arrived.
        virtual void socketActive() = 0;
        // The dialogue may begin: connected and, over TLS, the certificate verified.
        virtual void socketReady() = 0;
        virtual void socketReceived(const QByteArray& bytes) = 0;
        // code: the system's own number for the failure, for the trace.
        virtual void socketFailed(Failure failure, int code, const QString& description) = 0;
        // The server was reached but no verified TLS channel came of it; nothing was sent.
        virtual void socketRefused(Refusal refusal, const QString& detail) = 0;
    };

    virtual ~StreamSocket() = default;
    // extraAuthorities: PEM certificates trusted beside the system's, for a TLS server.
    virtual void open(const QString& host, quint16 port, bool secure, quint16 localPort,
        const QList<QByteArray>& extraAuthorities)
        = 0;
    virtual void close() = 0;
    // Ignored unless ready.
    virtual void send(const QByteArray& bytes) = 0;
    virtual bool isReady() const = 0;
    // A socket exists: an attempt is under way.
    virtual bool isOpen() const = 0;
};

// Makes the stream sockets. Null when the system cannot make any (said in the log).
class StreamSocketMaker {
public:
    virtual ~StreamSocketMaker() = default;
    virtual std::unique_ptr<StreamSocket> makeSocket(StreamSocket::Listener& listener) = 0;
};

} // namespace chronolien
