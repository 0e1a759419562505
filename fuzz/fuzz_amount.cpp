#include "core/Decimal.h"
#include "core/Module1.h"

#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

// The input is one byte for the decimals, then an amount and a rate separated by "|".
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const int decimals = data[0] % 10;
    const QString input = QString::fromUtf8(reinterpret_cast<const char *>(data) + 1,
                                            static_cast<qsizetype>(size) - 1);
    const QString text = input.section(u'|', 0, 0);

    // The change handlers regroup every text the user or a conversion puts in a box: grouping
    // must settle at once and never change what the text counts as.
    const QString grouped = Module1::GroupThousands(text);
    require(Module1::GroupThousands(grouped) == grouped);
    const std::optional<Module1::Decimal> amount = Module1::ParseAmount(text);
    require(!amount || Module1::ParseAmount(grouped) == amount);

    const std::optional<Module1::Decimal> rate = Module1::ParseAmount(input.section(u'|', 1));
    if (!amount || !rate)
        return 0;
    for (const QString &result : {Module1::EuroToCurrencyText(*amount, *rate, decimals),
                                  Module1::CurrencyToEuroText(*amount, *rate, decimals)}) {
        const qsizetype comma = result.indexOf(u',');
        require(!result.contains(u'.') && (comma < 0 || result.size() - comma - 1 <= decimals));
        const std::optional<Module1::Decimal> shown = Module1::ParseAmount(result);
        require(!shown || Module1::ParseAmount(Module1::GroupThousands(result)) == shown);
    }
    return 0;
}
