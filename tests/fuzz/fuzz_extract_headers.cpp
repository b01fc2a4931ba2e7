// A TOP reply's header block read as the check dialogue reads it: cut into lines, lower-cased,
// matched against the header rules, made into a list entry.
#include "mail/header_extraction.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace chronolien;
    const QByteArray reply = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QStringList lines = cutReplyLines(reply, MaxReplyLines, true);
    if (lines.size() > MaxReplyLines)
        std::abort();
    for (QString& line : lines) {
        if (line.size() > 100)
            std::abort();
        line = line.toLower();
    }
    const HeaderFields fields = readHeaderFields(lines);
    if (!fields.date.isValid())
        std::abort();
    if (const std::optional<MailEntry> entry = makeMailEntry(fields, 1, 1)) {
        if (entry->senderName.isEmpty() || entry->sizeKo < 0)
            std::abort();
    }
    return 0;
}
