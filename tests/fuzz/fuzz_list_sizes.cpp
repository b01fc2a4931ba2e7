// A LIST reply applied to a full list: sizes go only to the account's own entries, and are never
// negative.
#include "mail/header_extraction.h"
#include "mail/mail_list_events.h"

#include <cstdint>
#include <cstdlib>

namespace {

struct CountingEvents final : chronolien::MailListEvents {
    void refreshMailState() override { }
    void fillMailList() override { ++fills; }
    int fills = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace chronolien;
    MailList list;
    list.count = qint16(MailList::Capacity);
    for (int e = 1; e <= MailList::Capacity; ++e) {
        list.entry(e).account = qint16(1 + e % 2);
        list.entry(e).messageNumber = qint16(e);
        list.entry(e).sizeKo = 0;
    }
    CountingEvents events;
    applyListSizes(
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)), 1, list, events);
    for (int e = 1; e <= MailList::Capacity; ++e) {
        const MailEntry& entry = list.entry(e);
        if (entry.sizeKo < 0 || (entry.account != 1 && entry.sizeKo != 0))
            std::abort();
    }
    return 0;
}
