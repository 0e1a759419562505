#include "platform/IniFile.h"

#include <cstdint>
#include <cstdlib>

// A value fills a buffer of 255 characters with its terminator and never spans a line; reading
// the same bytes twice gives the same sections.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    const platform::IniSections ini = platform::ParseIni(bytes);
    for (const auto &keys : ini) {
        for (const QString &value : keys) {
            if (value.toUcs4().size() > 254 || value.contains(QChar(u'\0')) || value.contains(u'\r')
                || value.contains(u'\n'))
                std::abort();
        }
    }
    if (platform::ParseIni(bytes) != ini)
        std::abort();
    return 0;
}
