// A Date header value, as any server may write it: every text gives a valid date-time (the zero
// date when it does not read) and its display forms.
#include "mail/mail_date.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace chronolien;
    const QString value = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)).toLower();
    const QDateTime date = parseMailDate(value);
    if (!date.isValid())
        std::abort();
    if (mailDateText(date).isEmpty() || mailDateShortText(date).isEmpty())
        std::abort();
    readNormalisedDate(normaliseMailDate(value));
    return 0;
}
