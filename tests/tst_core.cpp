// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The amount rules and the settings they read, without any window.
#include "Store.h"
#include "core/AmountRules.h"
#include "core/ConversionSettings.h"
#include "core/Currencies.h"
#include "platform/Settings.h"

#include <QRegularExpression>
#include <QSettings>
#include <QTest>

#include <atomic>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using cambrivo::AmountOf;
using test::row;

class tst_core : public QObject
{
    Q_OBJECT

private slots:
    void grouping()
    {
        // Only digits make groups, and a dot goes only between two of them.
        QCOMPARE(cambrivo::GroupThousands(u"12😀345"), u"12😀345");
        QCOMPARE(cambrivo::GroupThousands(u"\u200F1234\u200F"), u"\u200F1.234\u200F");
    }

    void pastedAmount_data()
    {
        test::columns<QString, QString>({"pasted", "amount"});
        // clang-format off
        row("no-break space groups, symbol behind", "1\u00A0234,56 Lit", "1.234,56");
        row("euro sign in front", "€ 12,50", "12,50");
        row("right-to-left marks, soft hyphen", "\u200F12\u00AD34\u200F", "1234");
        row("narrow and thin spaces", "-1\u202F234\u2009567", "-1.234.567");
        row("blanks not between groups", "12 34", "12 34");
        row("a symbol inside stays", "12 Lit 34", "12 Lit 34");
        row("typed text unchanged", " 1.234,5", " 1.234,5");
        // clang-format on
    }

    void pastedAmount()
    {
        QFETCH(QString, pasted);
        QTEST(cambrivo::PastedAmount(pasted, u"Lit"), "amount");
    }

    void numericTest_data()
    {
        // Each text and the amount it denotes as the strip writes it back; "" when it is no number.
        test::columns<QString, QString>({"text", "amount"});
        // clang-format off
        row("largest float", "1797693134862315" + QString(293, u'0'),
            "179769313486232" + QString(294, u'0'));
        row("beyond it", "1797693134862316" + QString(293, u'0'), "");
        row("half at the 16th digit", "1000000000000025", "1000000000000030");
        row("carry past 15 nines", "999999999999999,5", "1000000000000000");
        row("leading zeros are no places", "0001234567890123456", "1234567890123460");
        row("groups, decimals", "1.234,5", "1234,5"); row("blanks, minus", " -12 ", "-12");
        row("plus", "+0,5", "0,5"); row("comma last", "1,", "1"); row("comma first", ",5", "0,5");
        row("a dot between any digits", "1.2", "12"); row("empty", "", ""); row("comma", ",", "");
        row("two commas", "1,2,3", ""); row("exponent", "1e5", ""); row("infinity", "inf", "");
        row("dot first", ".5", ""); row("dot last", "1.", ""); row("two dots", "1..2", "");
        row("blank after minus", "- 5", ""); row("dot after comma", "1,2.3", "");
        row("letter", "12a", "");
        // clang-format on
    }

    void numericTest()
    {
        QFETCH(QString, text);
        QFETCH(QString, amount);
        QCOMPARE(cambrivo::ParseAmount(text).has_value(), !amount.isEmpty());
        QCOMPARE(cambrivo::EuroToCurrencyText(AmountOf(text), AmountOf(u"1"), 9),
                 amount.isEmpty() ? QStringLiteral("0") : amount);
    }

    void conversion_data()
    {
        // An amount, the rate, the direction (> to the own currency, < to the euro), the
        // decimals, and the result. A half goes away from zero, as the laws that fixed the rates
        // round: Regulation (EC) No 1103/97, Article 5, and the national laws that repeat it.
        QTest::addColumn<QString>("row");
        // clang-format off
        row("Croatian euro law, art. 14: 10 euro", "10 7,53450 > 2 75,35");
        row("Croatian euro law, art. 14: 50 euro", "50 7,53450 > 2 376,73");
        row("pasted negative amount", "-10 7,53450 > 2 -75,35");
        row("Bulgarian euro law: 500 euro", "500 1,95583 > 2 977,92");
        row("Bulgarian euro law: 2000 leva", "2000 1,95583 < 2 1022,58");
        row("Bulgarian euro law: 10 leva", "10 1,95583 < 2 5,11");
        row("Bulgarian euro law: 1,70 leva", "1,70 1,95583 < 2 0,87");
        row("Bulgarian euro law: 0,05 leva", "0,05 1,95583 < 2 0,03");
        row("half a cent in leva", "0,00977915 1,95583 < 2 0,01");
        row("Legislative Decree 213/1998: 150 euro", "150 1936,27 > 0 290441");
        row("half at the 15th digit", "100000000000003 15 > 0 1500000000000050");
        row("rounded once at the 15th digit", "948090785549948 1,95583 > 0 1854304401102150");
        row("long result", "123456789012345 1936,27 > 0 239045676860933000");
        row("nine euro decimals", "1 1936,27 < 9 0,000516457");
        row("grouped own amount", "1.000 1936,27 < 2 0,52");
        row("no trailing zeros", "1,50 1 > 9 1,5"); row("no minus zero", "-0,001 1 > 2 0");
        row("zero rate", "5 0 < 2 0");
        // clang-format on
    }

    void conversion()
    {
        QFETCH(QString, row);
        const QStringList f = row.split(u' ');
        const auto amount = AmountOf(f[0]);
        const auto rate = AmountOf(f[1]);
        QCOMPARE(f[2] == u">" ? cambrivo::EuroToCurrencyText(amount, rate, f[3].toInt())
                              : cambrivo::CurrencyToEuroText(amount, rate, f[3].toInt()),
                 f[4]);
    }

    void currencies_data()
    {
        // Code, rate and decimals of each currency, the rate as the regulation fixing it prints
        // it: the law's figures, not the table's, so that a transposed digit shows.
        QTest::addColumn<QString>("figures");
        // clang-format off
        row("Council Regulation (EC) No 2866/98", "ATS 13,7603 2 BEF 40,3399 0 DEM 1,95583 2 "
            "ESP 166,386 0 FIM 5,94573 2 FRF 6,55957 2 IEP 0,787564 2 ITL 1936,27 0 "
            "LUF 40,3399 0 NLG 2,20371 2 PTE 200,482 0");
        row("Council Regulation (EC) No 1478/2000", "GRD 340,750 0");
        row("Council Regulation (EC) No 1086/2006", "SIT 239,640 2");
        row("Council Regulations (EC) No 1134/2007 and 1135/2007", "MTL 0,429300 2 CYP 0,585274 2");
        row("Council Regulation (EC) No 694/2008", "SKK 30,1260 2");
        row("Council Regulation (EU) No 671/2010", "EEK 15,6466 2");
        row("Council Regulation (EU) No 870/2013", "LVL 0,702804 2");
        row("Council Regulation (EU) No 851/2014", "LTL 3,45280 2");
        row("Council Regulation (EU) 2022/1209", "HRK 7,53450 2");
        row("Council Regulation (EU) of July 2025 for Bulgaria", "BGN 1,95583 2");
        // clang-format on
    }

    void currencies()
    {
        QFETCH(QString, figures);
        const QStringList f = figures.split(u' ');
        for (qsizetype i = 0; i < f.size(); i += 3) {
            const auto *c
                    = std::find_if(cambrivo::Currencies.begin(), cambrivo::Currencies.end(),
                                   [&f, i](const auto &currency) { return currency.code == f[i]; });
            QVERIFY(c != cambrivo::Currencies.end());
            QCOMPARE(c->rate.toString() + u' ' + QString::number(c->decimals),
                     f[i + 1] + u' ' + f[i + 2]);
            // The list shows the codes in order.
            QVERIFY(c == cambrivo::Currencies.begin() || c[-1].code < c->code);
        }
    }

    void userCountry_data()
    {
        // Where nothing is stored, the currency of the country the locale for money names, else
        // the lira: "LC_ALL LC_MONETARY LANG", "-" for not set. LANGUAGE=de_DE:de never counts.
        test::columns<QString, QString>({"locale", "code"});
        // clang-format off
        row("LC_ALL first", "en_IE.UTF-8 fr_BE it_IT", "IEP"); row("nothing set", "- - -", "ITL");
        row("then LC_MONETARY", "- fr_BE.UTF-8 it_IT", "BEF"); row("no country", "de - -", "ITL");
        row("then LANG, modifier", "- - de_AT.UTF-8@euro", "ATS"); row("POSIX", "POSIX - -", "ITL");
        row("the C locale", "C.UTF-8 - de_AT", "ITL"); row("Latvia", "ru_LV.UTF-8 - -", "LVL");
        row("Bulgaria", "- - bg_BG", "BGN"); row("Cyprus", "- - el_CY", "CYP");
        row("Germany", "- - de_DE", "DEM"); row("Estonia", "- - et_EE", "EEK");
        row("Spain", "- - es_ES", "ESP"); row("Finland", "- - fi_FI", "FIM");
        row("France", "- - fr_FR", "FRF"); row("Greece", "- - el_GR", "GRD");
        row("Croatia", "- - hr_HR", "HRK"); row("Lithuania", "- - lt_LT", "LTL");
        row("Luxembourg", "- - fr_LU", "LUF"); row("Malta", "- - mt_MT", "MTL");
        row("Netherlands", "- - nl_NL", "NLG"); row("Portugal", "- - pt_PT", "PTE");
        row("Slovenia", "- - sl_SI", "SIT"); row("Slovakia", "- - sk_SK", "SKK");
        row("Monaco", "- - fr_MC", "FRF"); row("Montenegro", "- - sr_ME", "DEM");
        row("Kosovo", "- - sq_XK", "DEM"); row("San Marino", "- - it_SM", "ITL");
        row("Vatican City", "- - it_VA", "ITL"); row("Switzerland", "- - de_CH", "ITL");
        // clang-format on
    }

    void userCountry()
    {
        QFETCH(QString, locale);
        QStringList values = locale.split(u' '); // "-": not set
        values.replaceInStrings(QRegularExpression("^-$"), QString());
        const test::Environment environment(
                QStringLiteral("LC_ALL=%1 LC_MONETARY=%2 LANG=%3 LANGUAGE=de_DE:de")
                        .arg(values[0], values[1], values[2]));
        QTEST(cambrivo::HomeCurrency(cambrivo::UserTerritory()).code.toString(), "code");
    }

    void loadSettings_data()
    {
        // What is stored, and the rate, "euro own separator" and symbol the program then uses, for
        // a user in Bulgaria.
        test::columns<QString, QString>({"stored", "used"});
        // clang-format off
        row("as a person types", "Value=1936,5\nCurrencyDescription=€", "1936,5 2 2 1 €");
        row("nothing usable", "Value=abc\nEuroDecimal=x\nCurrencyDecimal=10\nUseSeparator=x",
            "1,95583 2 2 1 лв");
        row("lira without decimals", "Value=1936,27\nCurrencyDescription=Lit", "1936,27 2 0 1 Lit");
        row("lira by its symbol", "Value=abc\nCurrencyDescription=Lit", "1936,27 2 0 1 Lit");
        row("a shared symbol", "Value=abc\nCurrencyDescription=F", "1,95583 2 2 1 F");
        row("peseta by its rate", "Value=166,386", "166,386 2 0 1 Pta");
        row("grouped rate", "Value=123.456", "123456 2 2 1 лв");
        // clang-format on
    }

    void loadSettings()
    {
        QFETCH(QString, stored);
        test::Store store;
        store.write(stored.toUtf8());
        QString shown;
        cambrivo::currencyDescriptionSink()
                = std::function<void(const QString &)>([&shown](const QString &t) { shown = t; });
        {
            const test::Environment bulgaria("LC_ALL=bg_BG.UTF-8"); // where no country is named
            cambrivo::LoadSettings();
        }
        QTEST(QStringLiteral("%1 %2 %3 %4 %5")
                      .arg(cambrivo::FormatNumber(cambrivo::dblCambio))
                      .arg(cambrivo::intEuroDecimal)
                      .arg(cambrivo::intCurrencyDecimal)
                      .arg(cambrivo::intUseSeparator)
                      .arg(shown),
              "used");
    }

    // What a save leaves: a store it cannot read kept whole beside the new one, and a link at
    // the store's path followed to its end, which is made only where its folder exists.
    void store_data()
    {
        // before: the store's bytes; null: none
        // link: where the store's path links to; empty: no link
        test::columns<QByteArray, QString, bool, bool>({"before", "link", "saved", "setAside"});
        const QString dotfiles = "../dotfiles/Cambrivo.conf";
        // clang-format off
        row("UTF-16", QByteArray(QStringEncoder(QStringEncoder::Utf16LE,
            QStringEncoder::Flag::WriteBom)(u"[Parameters]\nTop=1\n")), "", true, true);
        row("link to a store not yet made", QByteArray(), dotfiles, true, false);
        row("link to an unreadable store", QByteArray("\xFF"), dotfiles, true, true);
        row("a NUL", QByteArray("[Parameters]\nTop=1\0", 19), "", true, true);
        row("link into a missing folder", QByteArray(), "../missing/Cambrivo.conf", false, false);
        // clang-format on
    }

    void store()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, link);
        QFETCH(bool, saved);
        QFETCH(bool, setAside);
        test::Store store;
        const QDir folder(store.dir.filePath("Cambrivo"));
        QVERIFY(folder.mkpath(".") && folder.mkpath("../dotfiles"));
        const QString path = folder.filePath("Cambrivo.conf");
        const QString file = link.isEmpty() ? path : QDir::cleanPath(folder.filePath(link));
        QVERIFY(link.isEmpty() || QFile::link(link, path));
        QFile old(file);
        QVERIFY(before.isNull() || (old.open(QIODevice::WriteOnly) && old.write(before)));
        old.close();
        QCOMPARE(platform::SaveSettings({{"Top", "5"}}), saved);
        QVERIFY(link.isEmpty() || QFileInfo(path).symLinkTarget() == file);
        QCOMPARE(QSettings(file, QSettings::IniFormat).value("Parameters/Top"),
                 saved ? QVariant("5") : QVariant());
        QFile aside(file + ".unreadable");
        QCOMPARE(aside.open(QIODevice::ReadOnly) ? aside.readAll() : QByteArray(),
                 setAside ? before : QByteArray());
        QVERIFY(!QFileInfo::exists(store.dir.filePath("missing")));
    }

    void unwritableStore()
    {
        // A file where the store's folder should be: nothing can be written, and the save says so.
        test::Store blocked;
        blocked.write({}, /*asFolder=*/false);
        QVERIFY(!platform::SaveSettings({{QStringLiteral("Top"), QStringLiteral("5")}}));
        // A relative XDG_CONFIG_HOME is no folder: the store lies in the home folder's .config.
        const QString home = blocked.dir.filePath("home");
        const test::Environment relative("HOME=" + home + " XDG_CONFIG_HOME=Cambrivo");
        QVERIFY(platform::SaveSettings({{QStringLiteral("Top"), QStringLiteral("5")}}));
        QVERIFY(QFileInfo::exists(home + "/.config/Cambrivo/Cambrivo.conf"));
    }

    // A FIFO at the store's path is neither opened nor replaced. A writer at its other end
    // tells an opening, and lets it return instead of waiting forever.
    void fifoStore()
    {
        test::Store store;
        store.write({});
        const QByteArray path = QFile::encodeName(store.dir.filePath("Cambrivo/Cambrivo.conf"));
        const QByteArray end = QFile::encodeName(store.dir.filePath("end"));
        QVERIFY(::unlink(path) == 0 && ::mkfifo(path, 0600) == 0 && ::link(path, end) == 0);
        std::atomic<bool> opened = false, done = false;
        std::thread writer([&] {
            for (int fd; (fd = ::open(end, O_WRONLY | O_CLOEXEC)) >= 0 && !done; ::close(fd))
                opened = true;
        });
        const QString top = platform::GetSetting(QStringLiteral("Top"), QStringLiteral("none"));
        const bool saved = platform::SaveSettings({{QStringLiteral("Top"), QStringLiteral("5")}});
        done = true;
        const int reader = ::open(end, O_RDONLY | O_NONBLOCK | O_CLOEXEC); // the writer's last
        writer.join();
        ::close(reader);
        struct stat status = {};
        QVERIFY(top == "none" && !saved && !opened);
        QVERIFY(::stat(path, &status) == 0 && S_ISFIFO(status.st_mode));
    }
};

QTEST_GUILESS_MAIN(tst_core)
#include "tst_core.moc"
