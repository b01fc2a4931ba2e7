#include "mail/reply_assembler.h"

namespace chronolien {

namespace {

QByteArray unstuffed(const QByteArray& body)
{
    QByteArray out;
    out.reserve(body.size());
    qsizetype start = 0;
    while (start < body.size()) {
        qsizetype end = body.indexOf("\r\n", start);
        end = end < 0 ? body.size() : end + 2;
        // A line sent starting with "." carries one more "." in front.
        const qsizetype from = body.at(start) == '.' ? start + 1 : start;
        out.append(body.constData() + from, end - from);
        start = end;
    }
    return out;
}

} // namespace

void ReplyAssembler::clear()
{
    m_buffer.clear();
    m_scanned = 0;
    m_overflowed = false;
    m_kind = Kind::SingleLine;
}

void ReplyAssembler::append(const QByteArray& bytes)
{
    if (m_overflowed)
        return;
    if (m_buffer.size() + bytes.size() > MaxReply) {
        m_overflowed = true;
        m_buffer.clear();
        m_scanned = 0;
        return;
    }
    m_buffer.append(bytes);
}

std::optional<ReplyAssembler::Reply> ReplyAssembler::take()
{
    if (m_overflowed)
        return std::nullopt;
    const qsizetype statusEnd = m_buffer.indexOf("\r\n");
    if (statusEnd < 0)
        return std::nullopt;

    Reply reply;
    qsizetype length = 0;
    // Only a positive answer to TOP or LIST goes on past its status line.
    if (m_kind == Kind::SingleLine || !m_buffer.startsWith('+')) {
        length = statusEnd + 2;
        reply.raw = m_buffer.left(length);
        reply.text = reply.raw;
    } else {
        // The reply ends at the line "."; its status line ends at statusEnd, so the search may
        // start on that line's CR LF. Three bytes are scanned again after each append, in case the
        // ending was split.
        const qsizetype from = qMax(statusEnd, m_scanned - 4);
        const qsizetype end = m_buffer.indexOf("\r\n.\r\n", from);
        if (end < 0) {
            m_scanned = m_buffer.size();
            return std::nullopt;
        }
        length = end + 5;
        reply.raw = m_buffer.left(length);
        reply.text = m_buffer.left(statusEnd + 2)
            + unstuffed(m_buffer.mid(statusEnd + 2, end + 2 - (statusEnd + 2)));
    }
    m_buffer.remove(0, length);
    m_scanned = 0;
    return reply;
}

} // namespace chronolien
