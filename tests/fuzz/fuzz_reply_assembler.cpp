// Server bytes cut anyhow, with the dialogue's expectations changing between pieces: every reply
// taken is whole, nothing grows past the bound.
#include "mail/reply_assembler.h"

#include <cstdint>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace chronolien;
    FuzzedDataProvider input(data, size);
    ReplyAssembler assembler;
    while (input.remaining_bytes() > 0) {
        switch (input.ConsumeIntegralInRange(0, 3)) {
        case 0:
            assembler.expect(ReplyAssembler::Kind::SingleLine);
            break;
        case 1:
            assembler.expect(ReplyAssembler::Kind::MultiLine);
            break;
        case 2: {
            const std::string piece = input.ConsumeRandomLengthString(4096);
            assembler.append(QByteArray(piece.data(), qsizetype(piece.size())));
            break;
        }
        default:
            while (const std::optional<ReplyAssembler::Reply> reply = assembler.take()) {
                if (!reply->raw.endsWith("\r\n") || reply->raw.size() > ReplyAssembler::MaxReply
                    || reply->text.size() > reply->raw.size())
                    std::abort();
            }
            if (assembler.overflowed() && assembler.take())
                std::abort();
            break;
        }
    }
    return 0;
}
