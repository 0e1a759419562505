// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "i18n/Module1.h"
#include "platform/IniFile.h"
#include "ui/dialogs/frmConfigure.h"
#include "ui/dialogs/frmMenus.h"
#include "ui/main/frmMain.h"

#include <QtTest>
#include <QtWidgets>

#include <sys/stat.h>

class tst_language : public QObject
{
    Q_OBJECT

    frmMain m_main;
    frmMenus m_menus{m_main};

private slots:
    void reader_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("k"); // the value of "k" in section "a"; null: absent
        QTest::addColumn<QString>("language"); // the user's, for a file in a legacy code page
        const auto row = [](const char *name, const QByteArray &file, const QString &k,
                            const QString &language = "en") {
            QTest::newRow(name) << file << k << language;
        };
        row("ASCII case, first key", "[A]\nK=1\nk=2", "1");
        row("first section", "[a]\n[A]\nk=2", {});
        row("blanks, first =, quotes", " [ a ]\v\n\f k \t= \"' v  w=x '\" \t", "' v  w=x '");
        row("mismatched quotes", "[a]\nk=\"v'", "\"v'");
        row("comments, first ], no =", "[a]b]\n ;k=1\nk\nk=Lit ; nota", "Lit ; nota");
        row("CR, NUL", QByteArray("[a]\rk=1\0x\r\nk=2", 14), "1");
        row("254", "[a]\nk=" + QByteArray(253, 'x') + "😀y", QString(253, 'x') + "😀", "bg");
        row("UTF-8 BOM", "\xEF\xBB\xBF[a]\nk=\xC3\xA0\xC3", "à\uFFFD");
        for (const auto encoding : {QStringEncoder::Utf16LE, QStringEncoder::Utf16BE})
            row(encoding == QStringEncoder::Utf16LE ? "UTF-16 LE" : "UTF-16 BE",
                QStringEncoder(encoding, QStringEncoder::Flag::WriteBom)(u"[a]\nk=€"), "€");
        row("Windows-1252", "[a]\nk=\x80\xE0", "€à");
        row("Windows-1251", "[a]\nk=\xC0", "А", "bg");
        row("Windows-1250", "[a]\nk=\xA5", "Ą", "sk");
        row("Windows-1253", "[a]\nk=\xC1", "Α", "el");
        row("Windows-1254", "[a]\nk=\xD0", "Ğ", "tr");
        row("Windows-1255", "[a]\nk=\xE0", "א", "he");
        row("Windows-1256", "[a]\nk=\xC7", "ا", "fa");
        row("Windows-1257", "[a]\nk=\xC0", "Ą", "lt");
        row("Windows-1258", "[a]\nk=\xF0", "đ", "vi");
        row("truncated UTF-8", "[a]\nk=\xE2\x82", "â‚");
    }

    void reader()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, k);
        QFETCH(QString, language);
        const auto ini = platform::ParseIni(file, {}, platform::LegacyCodePage(language));
        QCOMPARE(platform::IniValue(ini, u"a", u"k").value_or(QString()), k);
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
                              "&top\xE4\n[frmConfigure]\nlblDecimalPlaces.Caption=&Dec\n")
                && file.flush());
        QVERIFY(QFile::link(at + "file", at + "a.Lgf") && QFile::link("/dev/zero", at + "0.lgf"));
        QVERIFY(::mkfifo(QFile::encodeName(at + "1.lgf"), 0600) == 0 && QDir(at).mkdir("2.lgf"));
        QVERIFY(QFile::link("-", at + "3.lgf") && QFile(at + ".0.lgf").open(QIODevice::WriteOnly));
        QFile big(at + "B.LGF"); // read up to 1 MiB, refused beyond
        QVERIFY(big.open(QIODevice::WriteOnly) && big.write("[a]\nk=1") && big.resize(1 << 20));
        QVERIFY(!platform::ReadIniFile(big.fileName()).isEmpty() && big.resize((1 << 20) + 1));
        QVERIFY(platform::ReadIniFile(big.fileName()).isEmpty());

        auto *separator = m_menus.findChild<QAction *>("mnuSeparator1");
        const QString separatorText = separator->text();
        auto *label = m_main.findChild<QLabel *>("lblEuroDescription");
        label->setTextFormat(Qt::AutoText); // values are plain text whatever the form says
        Module1::ApplyLanguage(m_main, {dir.path()});
        Module1::ApplyLanguage(m_menus, {dir.path(), {}, {}, {}, "bg"}); // in Windows-1251
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
        Module1::ApplyLanguage(configure, {dir.path()});
        for (const QLabel *decimals : configure.findChildren<QLabel *>("lblDecimalPlaces"))
            QCOMPARE(decimals->text(), "&Dec");
    }

    // The program's folder beats the user's, which beats the shipped file of the first of the
    // interface languages, as QLocale gives them, that has one; Italian texts are built in.
    void searchOrder()
    {
        QTemporaryDir dir;
        QVERIFY(QFile(dir.filePath("z.lgf")).open(QIODevice::WriteOnly));
        const QString lang = QFINDTESTDATA("../lang"), none = lang + "/-"; // lang: a user's folder
        // ui: the interface languages as Qt gives them
        for (const auto &[program, user, ui, found] :
             std::initializer_list<std::tuple<QString, QString, QString, const char *>>{
                     {dir.path(), lang, "de", "z.lgf "},
                     {none, lang, "de", "balgarski.lgf "},
                     // LANGUAGE=de:en
                     {none, none, "de,de-Latn-DE,de-DE,en,en-Latn-US,en-US", "deutsch.lgf de"},
                     {none, none, "bg-BG,bg-Cyrl-BG,bg", "balgarski.lgf bg"}, // LANG=bg_BG.UTF-8
                     {none, none, "ga,en", "english.lgf en"},
                     {none, none, "it,de", " it"},
                     {none, none, "C", " it"}}) { // LANG=C
            const auto file = Module1::FindLanguage({program, user, {none, lang}, ui.split(',')});
            QCOMPARE(QFileInfo(file.path).fileName() + ' ' + file.language, found);
        }
    }

    // Each shipped file holds the keys that take effect and no others and names its language;
    // with the forms' fonts every caption fits its control, and no two controls of a form share
    // an access key.
    void shippedFiles()
    {
        const QString folder = QFINDTESTDATA("../lang");
        QCOMPARE(QDir(folder).entryList({"*.lgf"}).size(), 17);
        frmConfigure configure; // every file gives every caption, and so overwrites the last
        for (const QString &name : QDir(folder).entryList({"*.lgf"})) {
            const platform::IniValues ini = platform::ReadIniFile(folder + '/' + name);
            const Module1::LanguageSearch search{{}, {}, {folder}, {ini["language\ncode"]}};
            QCOMPARE(Module1::FindLanguage(search).path, folder + '/' + name);
            QSet<QString> wanted{"language\ncode"};
            for (QWidget *form : std::initializer_list<QWidget *>{&m_main, &m_menus, &configure}) {
                for (const QString &key : Module1::LanguageKeys(*form))
                    wanted += (form->objectName() + '\n' + key).toLower();
                Module1::ApplyLanguage(*form, search);
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
                    QVERIFY2(QFontMetricsF(font).size(flags, text).width() <= room.width(), what);
                }
            }
            QCOMPARE(QSet<QString>(ini.keyBegin(), ini.keyEnd()), wanted);
        }
    }
};

QTEST_MAIN(tst_language)
#include "tst_language.moc"
