#pragma once

#include <QByteArray>
#include <optional>

namespace chronolien {

// Collects the bytes of one POP3 reply until it is whole, however the network cuts it: a
// single-line reply ends at its CR LF; a positive reply to TOP or LIST ends at the line ".".
class ReplyAssembler {
public:
    // The most one reply may hold; a server sending more is answered as if it had refused.
    static constexpr qsizetype MaxReply = 1024 * 1024;

    enum class Kind { SingleLine, MultiLine };

    struct Reply {
        QByteArray raw; // as received, line ends and final "." included
        QByteArray text; // multi-line: the status line and the lines after it, dots unstuffed,
                         // without the final "."; single-line: as received
    };

    // The kind of the reply the next command will bring.
    void expect(Kind kind)
    {
        m_kind = kind;
        m_scanned = 0;
    }
    // Forgets everything received: the connection is new.
    void clear();

    void append(const QByteArray& bytes);
    // The next whole reply, if one has arrived.
    std::optional<Reply> take();
    // More than MaxReply bytes came without ending the reply.
    bool overflowed() const { return m_overflowed; }

private:
    QByteArray m_buffer;
    qsizetype m_scanned = 0; // m_buffer[0, m_scanned) holds no end of the awaited reply
    Kind m_kind = Kind::SingleLine;
    bool m_overflowed = false;
};

} // namespace chronolien
