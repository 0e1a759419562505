// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/Currencies.h"
#include "i18n/Language.h"
#include "platform/IniFile.h"
#include "ui/BuildInfo.h"
#include "ui/dialogs/frmAbout.h"
#include "ui/dialogs/frmConfigure.h"
#include "ui/dialogs/frmMenus.h"
#include "ui/main/frmMain.h"

#include "Store.h"

#include <QtTest>
#include <QtWidgets>

#include <sys/stat.h>

using test::row;

class tst_language : public QObject
{
    Q_OBJECT

    frmMain m_main;
    frmMenus m_menus{m_main};

private slots:
    void reader_data()
    {
        // k: the value of "k" in section "a"; null: absent
        // language: the user's, for a file in a legacy code page; several share one
        test::columns<QByteArray, QString, QString>({"file", "k", "language"});
        // clang-format off
        row("ASCII case, first key", QByteArray("[A]\nK=1\nk=2"), "1", "en");
        row("first section", QByteArray("[a]\n[A]\nk=2"), QString(), "en");
        row("blanks, first =, quotes", QByteArray(" [ a ]\v\n\f k \t= \"' v  w=x '\" \t"),
            "' v  w=x '", "en");
        row("mismatched quotes", QByteArray("[a]\nk=\"v'"), "\"v'", "en");
        row("comments, first ], no =", QByteArray("[a]b]\n ;k=1\nk\nk=Lit ; nota"), "Lit ; nota",
            "en");
        row("header without ]", QByteArray("[a\nk=1"), "1", "en");
        row("CR, NUL", QByteArray("[a]\rk=1\0x\r\nk=2", 14), "1", "en");
        row("254", "[a]\nk=" + QByteArray(253, 'x') + "😀y", QString(253, 'x') + "😀", "bg");
        row("UTF-8 BOM", QByteArray("\xEF\xBB\xBF[a]\nk=\xC3\xA0\xC3"), "à\uFFFD", "en");
        row("UTF-16 LE", QByteArray("\xFF\xFE[\0a\0]\0\n\0k\0=\0\xAC\x20", 16), "€", "en");
        row("UTF-16 BE", QByteArray("\xFE\xFF\0[\0a\0]\0\n\0k\0=\x20\xAC", 16), "€", "en");
        row("Windows-1252", QByteArray("[a]\nk=\x80\xE0"), "€à", "en");
        row("Windows-1251", QByteArray("[a]\nk=\xC0"), "А", "bg ru uk sr mk be");
        row("Windows-1250", QByteArray("[a]\nk=\xA5"), "Ą", "pl cs sk hu hr sl ro sq");
        row("Windows-1253", QByteArray("[a]\nk=\xC1"), "Α", "el");
        row("Windows-1254", QByteArray("[a]\nk=\xD0"), "Ğ", "tr");
        row("Windows-1255", QByteArray("[a]\nk=\xE0"), "א", "he");
        row("Windows-1256", QByteArray("[a]\nk=\xC7"), "ا", "ar fa ur");
        row("Windows-1257", QByteArray("[a]\nk=\xC0"), "Ą", "et lv lt");
        row("Windows-1258", QByteArray("[a]\nk=\xF0"), "đ", "vi");
        row("truncated UTF-8", QByteArray("[a]\nk=\xE2\x82"), "â‚", "en");
        // clang-format on
    }

    void reader()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, k);
        QFETCH(QString, language);
        for (const QString &each : language.split(' ')) { // the languages of one code page
            const auto ini = platform::ParseIni(file, {}, platform::LegacyCodePage(each));
            QVERIFY2(platform::IniValue(ini, u"a", u"k").value_or(QString()) == k,
                     qPrintable(each));
        }
    }

    // The language file is the first visible regular file, or link to one, in name order
    // regardless of case; a FIFO, a device, a folder or a broken link never counts.
    void stripAndMenu()
    {
        QTemporaryDir dir;
        const QString at = dir.path() + '/';
        QFile file(at + "file");
        QVERIFY(file.open(QIODevice::WriteOnly)
                && file.write("[frmMain]\ntxtEuro.Caption=9\ntxtEuro.ToolTipText=\n"
                              "cmdMenu.ToolTipText=<b>x</b>\nlblEuroDescription.Caption=<&img&&>&\n"
                              "[frmMenus]\nmnuExit.Caption=-\nmnuSeparator1.Caption=Seen\n"
                              "mnuAlwaysOnTop.Caption=On "
                              "&top\xE4\n[frmConfigure]\nlblDecimalPlaces.Caption=&Dec\n"
                              "cmbValuta.Caption=Other\ncmdOK.Caption=Sal&va\n")
                && file.flush());
        QVERIFY(QFile::link(at + "file", at + "a.Lgf") && QFile::link("/dev/zero", at + "0.lgf"));
        QVERIFY(::mkfifo(QFile::encodeName(at + "1.lgf"), 0600) == 0 && QDir(at).mkdir("2.lgf"));
        QVERIFY(QFile::link("-", at + "3.lgf") && QFile(at + ".0.lgf").open(QIODevice::WriteOnly));
        QFile big(at + "9.LGF"); // read up to 1 MiB, refused beyond and passed over
        QVERIFY(big.open(QIODevice::WriteOnly) && big.write("[a]\nk=1") && big.resize(1 << 20));
        QVERIFY(!platform::ReadIniFile(big.fileName()).isEmpty() && big.resize((1 << 20) + 1));
        QVERIFY(platform::ReadIniFile(big.fileName()).isEmpty());

        auto *separator = m_menus.findChild<QAction *>("mnuSeparator1");
        const QString separatorText = separator->text();
        auto *label = m_main.findChild<QLabel *>("lblEuroDescription");
        label->setTextFormat(Qt::AutoText); // values are plain text whatever the form says
        cambrivo::ApplyLanguage(m_main, {dir.path()});
        cambrivo::ApplyLanguage(m_menus, {dir.path(), {}, {}, {}, "bg"}); // in Windows-1251
        auto *euro = m_main.findChild<QLineEdit *>("txtEuro");
        QVERIFY(euro->text() == "0" && euro->toolTip().isEmpty());
        const QString tip = m_main.findChild<QPushButton *>("cmdMenu")->toolTip();
        QCOMPARE(QTextDocumentFragment::fromHtml(tip).toPlainText(), "<b>x</b>");
        // Without a buddy, "&&" shows "&" and a lone "&" marks nothing.
        QVERIFY(label->text() == "<img&>" && label->textFormat() == Qt::PlainText);
        QVERIFY(!m_menus.findChild<QAction *>("mnuExit")->isSeparator());
        QVERIFY(separator->isSeparator() && separator->text() == separatorText);
        QCOMPARE(m_menus.mnuAlwaysOnTop()->text(), "On &topд");
        frmConfigure configure; // both labels of one name take its caption
        auto *list = configure.findChild<QComboBox *>("cmbValuta");
        list->setCurrentIndex(3); // shows a currency: the caption names the first item alone
        auto *currency = configure.findChild<QLabel *>("lblValuta");
        currency->setText("&Valuta && co"); // the built-in key, which the file gives to cmdOK
        cambrivo::ApplyLanguage(configure, {dir.path()});
        for (const QLabel *decimals : configure.findChildren<QLabel *>("lblDecimalPlaces"))
            QCOMPARE(decimals->text(), "&Dec");
        QCOMPARE(currency->text(), "Valuta && co");
        QVERIFY(list->itemText(0) == "Other" && list->currentText().startsWith("BGN"));
        QVERIFY(!QKeySequence::mnemonic(configure.findChild<QCheckBox *>()->text()).isEmpty());
    }

    // The program's folder beats the user's, which beats each site folder in turn, which beat
    // the shipped file of the first interface language, as QLocale gives them, that has one;
    // Italian texts are built in. A file too large to read gives way to the next place.
    void searchOrder_data()
    {
        // program, user, sites: "lang" holds the shipped files, "z" an empty z.lgf, "big" too
        // large a file; the interface languages as Qt gives them
        test::columns<QString, QString, QString>({"places", "ui", "found"});
        // clang-format off
        row("program's folder first", "z lang lang", "de", "z.lgf ");
        row("user's before site", "- lang z", "de", "balgarski.lgf ");
        row("sites in order, before the shipped file", "- - - - z lang", "de", "z.lgf ");
        row("LANGUAGE=de:en", "- -", "de,de-Latn-DE,de-DE,en,en-Latn-US,en-US", "deutsch.lgf de");
        row("LANG=bg_BG.UTF-8", "- -", "bg-BG,bg-Cyrl-BG,bg", "balgarski.lgf bg");
        row("first language with a file", "- -", "ga,en", "english.lgf en");
        row("Italian before a file", "- -", "it,de", " it"); row("no language", "- -", "", " it");
        // clang-format on
    }

    // A dialog's title, the About box and the amount boxes' names for a screen reader take the
    // file's words, "%1" standing for the program's name or the symbol and nothing else; a
    // file without the keys leaves the built-in texts.
    void titlesAndNames_data()
    {
        // value: of every key; null: a file without them
        // titles: of the dialog and the About box, the version's word, the own box's name, split
        // at "|"; empty: the value, unchanged
        test::columns<QString, QString>({"value", "titles"});
        // clang-format off
        row("without the keys", QString(),
            "Cambrivo - Configura|Informazioni su Cambrivo|Versione|Importo in Lit");
        row("re-worded", "Über %1", "Über %1|Über Cambrivo|Über %1|Über Lit");
        row("%1 twice", "%1%1", "%1%1|CambrivoCambrivo|%1%1|LitLit");
        row("other % and [*] as written", "%2 %L1 [*] %", "");
        row("254 characters", QString(254, 'x'), "");
        // clang-format on
    }

    void titlesAndNames()
    {
        QFETCH(QString, value);
        QFETCH(QString, titles);
        QStringList shown = titles.isEmpty() ? QStringList(4, value) : titles.split('|');
        QTemporaryDir dir; // the user's folder, which the forms' own loading searches
        const test::Environment data("XDG_DATA_HOME=" + dir.path());
        QFile file(dir.filePath("Cambrivo/a.lgf"));
        QVERIFY(QDir(dir.path()).mkdir("Cambrivo") && file.open(QIODevice::WriteOnly));
        file.write(value.isNull()
                           ? ""
                           : QByteArray("[frmConfigure]\nCaption=@\n[frmAbout]\nCaption=@\n"
                                        "lblVersion.Caption=@\nlblDescription.Caption=@\n"
                                        "Label1.Caption=@\ncmdOK.Caption=@\n[frmMain]\n"
                                        "txtEuro.AccessibleName=@\ntxtCurrency.AccessibleName=@")
                                     .replace('@', value.toUtf8()));
        file.close();
        const test::Store store; // no stored settings: the lira
        frmConfigure configure;
        frmAbout box;
        frmMain main;
        configure.Form_Load();
        box.Form_Load();
        main.Form_Load();
        QStringList read; // as a screen reader reads the windows and controls
        for (QWidget *w :
             {static_cast<QWidget *>(&configure), static_cast<QWidget *>(&box),
              box.findChild<QWidget *>("lblVersion"), main.findChild<QWidget *>("txtCurrency"),
              box.findChild<QWidget *>("lblDescription"), box.findChild<QWidget *>("Label1"),
              box.findChild<QWidget *>("cmdOK"), main.findChild<QWidget *>("txtEuro")})
            read += QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
        shown[2] += ' ' + buildinfo::version();
        shown[1] += ", " + shown[2]; // the About box is read with its version
        QCOMPARE(read.mid(0, 4), shown);
        QCOMPARE(read.mid(4), value.isNull() ? read.mid(4) : QStringList(4, value));
        QCOMPARE(box.findChild<QLabel *>("lblTitle")->text(), "Cambrivo");
    }

    void searchOrder()
    {
        QFETCH(QString, places);
        QFETCH(QString, ui);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("z")
                && QFile(dir.filePath("z/z.lgf")).open(QIODevice::WriteOnly));
        const QString lang = QFINDTESTDATA("../lang");
        QStringList at = places.split(' ');
        for (QString &place : at)
            place = place == "lang" ? lang : dir.filePath(place);
        const cambrivo::LanguageSearch search(at[0], at[1], {dir.filePath("-"), lang},
                                              ui.split(',', Qt::SkipEmptyParts), {}, at.mid(2));
        const auto file = cambrivo::FindLanguage(search);
        QTEST(QFileInfo(file.path).fileName() + ' ' + file.language, "found");
    }

    // The user's folder, the site folders and the first interface language, from the
    // environment.
    void defaultSearch_data()
    {
        test::columns<QString, QString>({"environment", "search"});
        const QString xdg = "XDG_DATA_HOME=%1 XDG_CONFIG_DIRS=%2 LC_ALL= LANGUAGE=bg:de LANG=";
        // clang-format off
        row("relative XDG folders, LANGUAGE in the C locale", xdg.arg("data", "/a:b:/c:") + "C",
            "~/.local/share/Cambrivo /a/Cambrivo /c/Cambrivo ");
        row("XDG defaults, LANGUAGE in another messages locale", xdg.arg("", "") + "C "
            "LC_MESSAGES=de_DE.UTF-8", "~/.local/share/Cambrivo /etc/xdg/Cambrivo bg");
        row("XDG defaults, LANGUAGE in the POSIX locale", xdg.arg("", "") + "POSIX",
            "~/.local/share/Cambrivo /etc/xdg/Cambrivo ");
        // clang-format on
    }

    void defaultSearch()
    {
        QFETCH(QString, environment);
        cambrivo::LanguageSearch found = [&environment] {
            const test::Environment set(environment);
            return cambrivo::DefaultSearch();
        }();
        QTEST(found.user.replace(QDir::homePath(), "~") + ' ' + found.site.join(' ') + ' '
                      + found.uiLanguages.value(0).section('-', 0, 0),
              "search");
    }

    // The shipped files hold the same keys, each taking effect, and name their language; with
    // the forms' fonts every caption fits its control, wrapped where the label wraps, and no two
    // controls of a form share an access key.
    void shippedFiles()
    {
        const QString folder = QFINDTESTDATA("../lang");
        QCOMPARE(QDir(folder).entryList({"*.lgf"}).size(), 17);
        frmConfigure configure; // every file gives every caption, and so overwrites the last
        QSet<QString> first;
        for (const QString &name : QDir(folder).entryList({"*.lgf"})) {
            const platform::IniValues ini = platform::ReadIniFile(folder + '/' + name);
            const cambrivo::LanguageSearch search{{}, {}, {folder}, {ini["language\ncode"]}};
            QCOMPARE(cambrivo::FindLanguage(search).path, folder + '/' + name);
            QTemporaryDir user; // the About box reads the user's folder as the program does
            const test::Environment data("XDG_DATA_HOME=" + user.path());
            QVERIFY(QDir(user.path()).mkdir("Cambrivo")
                    && QFile::link(folder + '/' + name, user.filePath("Cambrivo/" + name)));
            frmAbout about;
            about.Form_Load();
            // The edit menu's words in the file's language: the program's own Portuguese, not
            // Brazil's, and the language the file names where the search tells none. The sources
            // are those of Qt's line edit.
            cambrivo::TranslateToolkit({user.filePath("Cambrivo"), {}, {folder}});
            const std::unique_ptr<QTranslator> toolkit(qApp->findChild<QTranslator *>());
            QVERIFY(toolkit && (name != "portugues.lgf" || toolkit->filePath().startsWith(folder)));
            for (const char *text :
                 {"&Undo", "&Redo", "Cu&t", "&Copy", "&Paste", "Delete", "Select All"})
                QVERIFY2((toolkit->translate("QLineEdit", text).isEmpty())
                                 == (name == "english.lgf"),
                         qPrintable(name + ": " + text));
            QCoreApplication::removeTranslator(toolkit.get());
            QSet<QString> wanted{"language\ncode"};
            for (QWidget *form :
                 std::initializer_list<QWidget *>{&m_main, &m_menus, &configure, &about}) {
                for (const QString &key : cambrivo::LanguageKeys(*form))
                    wanted += (form->objectName() + '\n' + key).toLower();
                if (form != &about)
                    cambrivo::ApplyLanguage(*form, search);
                QSet<QKeySequence> keys;
                for (QObject *control : form->findChildren<QObject *>()) {
                    auto *label = qobject_cast<QLabel *>(control);
                    auto *button = qobject_cast<QAbstractButton *>(control);
                    const QString text = control->property("text").toString();
                    const QByteArray what = (name + ": " + text).toUtf8();
                    // A label without a buddy shows its text as it stands.
                    const int flags = label && !label->buddy() ? 0 : Qt::TextShowMnemonic;
                    const QKeySequence key = flags ? QKeySequence::mnemonic(text) : QKeySequence();
                    QVERIFY2(key.isEmpty() || !keys.contains(key), what);
                    keys += key;
                    if (!label && !button)
                        continue;
                    QStyleOptionButton option; // a button's text lies in a part of the button
                    option.initFrom(static_cast<QWidget *>(control));
                    const auto part = qobject_cast<QCheckBox *>(button)
                            ? QStyle::SE_CheckBoxContents
                            : QStyle::SE_PushButtonContents;
                    const QRect room = label
                            ? label->contentsRect()
                            : button->style()->subElementRect(part, &option, button);
                    const QFont font = static_cast<QWidget *>(control)->font();
                    const int wrap = label && label->wordWrap() ? Qt::TextWordWrap : 0;
                    const QRectF need = QFontMetricsF(font).boundingRect(
                            QRectF(room.topLeft(), QSizeF(room.width(), 1e6)), flags | wrap, text);
                    QVERIFY2(need.width() <= room.width()
                                     && (!wrap || need.height() <= room.height()),
                             what);
                }
            }
            // Every listed rate, and any of eight digits, shows whole: a box that scrolls it
            // shows where its start would be left of where it starts empty.
            auto *rate = configure.findChild<QLineEdit *>("txtCambio");
            rate->clear();
            rate->grab(); // lays the text out as the box shows it
            const int start = rate->inputMethodQuery(Qt::ImCursorRectangle).toRect().left();
            QStringList rates{"99999999"};
            for (const cambrivo::Currency &currency : cambrivo::Currencies)
                rates += currency.rate.toString();
            for (const QString &text : rates) {
                rate->setText(text);
                rate->grab();
                rate->setCursorPosition(0);
                QVERIFY2(rate->inputMethodQuery(Qt::ImCursorRectangle).toRect().left() == start,
                         qPrintable(name + ": " + text));
            }
            const QSet<QString> held(ini.keyBegin(), ini.keyEnd());
            QVERIFY(wanted.contains(held));
            QCOMPARE(held, first.isEmpty() ? (first = held) : first);
        }
    }
};

QTEST_MAIN(tst_language)
#include "tst_language.moc"
