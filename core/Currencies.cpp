// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Currencies.h"

#include "ConversionSettings.h"

#include <algorithm>

namespace cambrivo {

// Council Regulation (EC) No 2866/98 as amended for each later member: six significant
// figures, trailing zeros included.
constexpr std::array<Currency, 21> Currencies = {{
        {u"ATS", u"Österreichischer Schilling", u"13,7603", u"öS", 2},
        {u"BEF", u"Franc belge", u"40,3399", u"FB", 0},
        {u"BGN", u"Български лев", u"1,95583", u"лв", 2},
        {u"CYP", u"Κυπριακή λίρα", u"0,585274", u"£C", 2},
        {u"DEM", u"Deutsche Mark", u"1,95583", u"DM", 2},
        {u"EEK", u"Eesti kroon", u"15,6466", u"kr", 2},
        {u"ESP", u"Peseta española", u"166,386", u"Pta", 0},
        {u"FIM", u"Suomen markka", u"5,94573", u"mk", 2},
        {u"FRF", u"Franc français", u"6,55957", u"F", 2},
        {u"GRD", u"Ελληνική δραχμή", u"340,750", u"Δρχ", 0},
        {u"HRK", u"Hrvatska kuna", u"7,53450", u"kn", 2},
        {u"IEP", u"Punt Éireannach", u"0,787564", u"IR£", 2},
        {u"ITL", u"Lira italiana", u"1936,27", u"Lit", 0},
        {u"LTL", u"Lietuvos litas", u"3,45280", u"Lt", 2},
        {u"LUF", u"Franc luxembourgeois", u"40,3399", u"F", 0},
        {u"LVL", u"Latvijas lats", u"0,702804", u"Ls", 2},
        {u"MTL", u"Lira Maltija", u"0,429300", u"Lm", 2},
        {u"NLG", u"Nederlandse gulden", u"2,20371", u"ƒ", 2},
        {u"PTE", u"Escudo português", u"200,482", u"Esc", 0},
        {u"SIT", u"Slovenski tolar", u"239,640", u"SIT", 2},
        {u"SKK", u"Slovenská koruna", u"30,1260", u"Sk", 2},
}};

namespace {

struct Home
{
    QLocale::Territory territory;
    QStringView code;
};

// Monaco, Montenegro and Kosovo used the currencies of their neighbours until the euro.
constexpr Home homes[] = {
        {QLocale::Austria, u"ATS"},    {QLocale::Belgium, u"BEF"},     {QLocale::Bulgaria, u"BGN"},
        {QLocale::Cyprus, u"CYP"},     {QLocale::Germany, u"DEM"},     {QLocale::Estonia, u"EEK"},
        {QLocale::Spain, u"ESP"},      {QLocale::Finland, u"FIM"},     {QLocale::France, u"FRF"},
        {QLocale::Greece, u"GRD"},     {QLocale::Croatia, u"HRK"},     {QLocale::Ireland, u"IEP"},
        {QLocale::Lithuania, u"LTL"},  {QLocale::Luxembourg, u"LUF"},  {QLocale::Latvia, u"LVL"},
        {QLocale::Malta, u"MTL"},      {QLocale::Netherlands, u"NLG"}, {QLocale::Portugal, u"PTE"},
        {QLocale::Slovenia, u"SIT"},   {QLocale::Slovakia, u"SKK"},    {QLocale::Monaco, u"FRF"},
        {QLocale::Montenegro, u"DEM"}, {QLocale::Kosovo, u"DEM"},
};

const Currency &currencyOf(QStringView code)
{
    return *std::find_if(Currencies.begin(), Currencies.end(),
                         [code](const Currency &currency) { return currency.code == code; });
}

} // namespace

const Currency &HomeCurrency(QLocale::Territory territory)
{
    // Italy, San Marino, the Vatican and everyone else: the lira.
    const auto home = std::find_if(std::begin(homes), std::end(homes),
                                   [territory](const Home &h) { return h.territory == territory; });
    return currencyOf(home == std::end(homes) ? QStringView(u"ITL") : home->code);
}

QLocale::Territory UserTerritory()
{
    for (const char *variable : {"LC_ALL", "LC_MONETARY", "LANG"}) {
        const QString name = qEnvironmentVariable(variable);
        if (name.isEmpty())
            continue;
        // language[_territory][.codeset][@modifier]. The code is read alone: a language the
        // toolkit has no data for in that country ("ru_LV") must not lead it to another country.
        const QStringView locale(name.begin(), std::find_if(name.begin(), name.end(), [](QChar c) {
                                     return c == u'.' || c == u'@';
                                 }));
        const qsizetype underscore = locale.indexOf(u'_');
        return underscore < 0 ? QLocale::AnyTerritory
                              : QLocale::codeToTerritory(locale.sliced(underscore + 1));
    }
    return QLocale::AnyTerritory;
}

const Currency *MatchingCurrency(QStringView rate, QStringView symbol)
{
    const auto value = UsableRate(rate);
    if (!value)
        return nullptr;
    // The symbol first: it is cheaper to compare and leaves at most two rates to read.
    const auto match = std::find_if(
            Currencies.begin(), Currencies.end(), [&value, symbol](const Currency &currency) {
                return currency.symbol == symbol && ParseAmount(currency.rate) == value;
            });
    return match == Currencies.end() ? nullptr : &*match;
}

} // namespace cambrivo
