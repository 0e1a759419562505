#include "core/Module1.h"
#include "platform/Beep.h"
#include "ui/dialogs/frmAbout.h"
#include "ui/dialogs/frmConfigure.h"

#include <QTest>
#include <QtWidgets>

// The fields in creation order: grouping, own decimals, euro decimals, symbol, rate, currency.
QString shown(const QWidget &dialog)
{
    QStringList values;
    for (QWidget *w : dialog.findChildren<QWidget *>(QRegularExpression("^(chk|cmb|txt)")))
        values << w->property(w->metaObject()->userProperty().name()).toString();
    return values.join('|');
}

class tst_dialogs : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QSettings m_store{m_dir.filePath("Cambrivo/Cambrivo.conf"), QSettings::IniFormat};
    int m_beeps = 0;
    QList<QUrl> m_urls;

private slots:
    void openUrl(const QUrl &url) { m_urls << url; } // takes an argument: not a test

    // Every test starts from a hand-edited store: a symbol, and values the program cannot use.
    void init()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
        // clang-format off
        for (auto [key, value] : {std::pair{"Value", "6.55957"}, {"CurrencyDescription", "EURO"},
                 {"EuroDecimal", "12"}, {"CurrencyDecimal", "x"}, {"UseSeparator", "2"}})
            m_store.setValue(QString("Parameters/") + key, value);
        // clang-format on
        m_store.sync();
        m_beeps = 0;
        platform::beepFunction() = std::function<void()>([this] { ++m_beeps; });
    }

    void save_data()
    {
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QString>(
                "outcome"); // "saved" on Enter, "Esc", "cmdExit" or the refusing box
        // clang-format off
        QTest::newRow("grouped") << "+1.936.270,5" << "Lit" << "saved";
        QTest::newRow("blanks kept") << " 1,95583 " << "лв" << "saved";
        QTest::newRow("symbol untouched") << "2" << QString() << "saved";
        QTest::newRow("Esc") << "2" << "Lit" << "Esc";
        QTest::newRow("Annulla") << "2" << "Lit" << "cmdExit";
        for (const char *rate : {"", " ", "abc", "0", "-5", "1e3", "1936.27", "6.55957", "0.500",
                                 "1234.567", "1.23,4"})
            QTest::addRow("rate '%s'", rate) << rate << "" << "txtCambio";
        QTest::newRow("empty symbol") << "2" << "" << "txtTestoValuta";
        QTest::newRow("blank symbol") << "2" << " \t" << "txtTestoValuta";
        // clang-format on
    }

    void save()
    {
        QFETCH(QString, rate);
        QFETCH(QString, symbol);
        QFETCH(QString, outcome);
        Module1::LoadSettings();
        frmConfigure dialog;
        dialog.Form_Load();
        dialog.show();
        // What the program actually uses; a symbol longer than can be typed stays whole.
        QCOMPARE(shown(dialog), "false|0|2|EURO|6.55957|Altra valuta");
        QCOMPARE(dialog.findChildren<QLabel *>("lblDecimalPlaces").size(), 2);
        dialog.findChild<QLineEdit *>("txtCambio")->setText(rate);
        if (!symbol.isNull())
            dialog.findChild<QLineEdit *>("txtTestoValuta")->setText(symbol);
        if (outcome == "cmdExit")
            QTest::mouseClick(dialog.findChild<QPushButton *>(outcome), Qt::LeftButton);
        else
            QTest::keyClick(&dialog, outcome == "Esc" ? Qt::Key_Escape : Qt::Key_Return);

        m_store.sync();
        QStringList values = m_store.allKeys(); // in key order: CurrencyDecimal, ...
        for (QString &name : values)
            name = m_store.value(name).toString();
        const bool saved = outcome == "saved";
        QCOMPARE(values.join('|'),
                 saved ? "0|" + (symbol.isNull() ? "EURO" : symbol) + "|2|0|" + rate
                       : "x|EURO|12|2|6.55957");
        // A stored rate the program cannot use reads as the default; a saved one at once.
        QCOMPARE(Module1::dblCambio, Module1::ParseAmount(saved ? rate : "1936,27")->toDouble());
        auto *box = dialog.findChild<QLineEdit *>(outcome);
        QCOMPARE(m_beeps, box ? 1 : 0);
        QCOMPARE(dialog.isVisible(), box != nullptr);
        if (box)
            QVERIFY(dialog.focusWidget() == box && box->selectedText() == box->text());
    }

    void currencyList_data()
    {
        QTest::addColumn<QString>("stored"); // rate|symbol
        QTest::addColumn<QString>("keys"); // typed into a field: "box:keys"
        QTest::addColumn<QString>("after"); // as shown(), from the own decimals on
        // clang-format off
        QTest::newRow("at load, as a number") << "1.936,27|Lit" << "" << "0|5|Lit|1.936,27|Lira italiana (ITL)";
        QTest::newRow("shared rate, DM") << "1,95583|DM" << "" << "0|5|DM|1,95583|Deutsche Mark (DEM)";
        QTest::newRow("shared rate, лв") << "1,95583|лв" << "" << "0|5|лв|1,95583|Български лев (BGN)";
        QTest::newRow("other symbol") << "1,95583|Lit" << "" << "0|5|Lit|1,95583|Altra valuta";
        QTest::newRow("chosen") << "1936,27|Lit" << "cmbValuta:D" << "2|5|DM|1,95583|Deutsche Mark (DEM)";
        QTest::newRow("rate edited away") << "6,55957|F" << "txtCambio:1" << "0|5|F|6,559571|Altra valuta";
        QTest::newRow("symbol typed") << "40,3399|EURO" << "txtTestoValuta:\b\b\b\bF" << "0|5|F|40,3399|Franc luxembourgeois (LUF)";
        // clang-format on
    }

    void currencyList()
    {
        QFETCH(QString, stored);
        QFETCH(QString, keys);
        QFETCH(QString, after);
        m_store.setValue("Parameters/Value", stored.section('|', 0, 0));
        m_store.setValue("Parameters/CurrencyDescription", stored.section('|', 1));
        m_store.setValue("Parameters/EuroDecimal", "5");
        m_store.sync();
        frmConfigure dialog;
        dialog.Form_Load();
        if (!keys.isEmpty())
            QTest::keyClicks(dialog.findChild<QWidget *>(keys.section(':', 0, 0)),
                             keys.section(':', 1));
        QCOMPARE(shown(dialog), "false|" + after);
    }

    void symbolKeepsWholeCharacters()
    {
        frmConfigure dialog;
        auto *box = dialog.findChild<QLineEdit *>("txtTestoValuta");
        // Before ("|" marks the cursor), inserted as typing and pasting do, after.
        // clang-format off
        for (const auto &[before, inserted, after] : std::initializer_list<std::array<QString, 3>>{
            {"ab|", "💶", "ab💶"}, {"abc|", "💶", "abc"}, {"|", "ab💶x", "ab💶"}, {"|ab", "xyz", "xab"},
            {"ab|", "e\u0301", "abe\u0301"}, {"EURO|", "x", "EURO"}, {"a|", QString(QChar(0xD83D)) + "b", "ab"}}) {
            // clang-format on
            box->setText(QString(before).remove('|'));
            box->setCursorPosition(static_cast<int>(before.indexOf('|')));
            box->insert(inserted);
            QCOMPARE(box->text(), after);
        }
    }

    void about()
    {
        QDesktopServices::setUrlHandler("http", this, "openUrl");
        const QPalette scheme = QApplication::palette();
        QApplication::setPalette(QPalette(QColor(40, 40, 40))); // a dark colour scheme
        frmAbout about;
        about.Form_Load();
        about.show();
        QVERIFY(QTest::qWaitForWindowActive(&about));
        QApplication::setPalette(scheme);
        // Every text stands out from the box (WCAG's contrast of at least 4.5:1), the link too.
        const auto luminance = [](QColor c) {
            const auto linear = [](float v) {
                return v <= 0.04f ? v / 12.92f : std::pow((v + 0.055f) / 1.055f, 2.4f);
            };
            return 0.2126f * linear(c.redF()) + 0.7152f * linear(c.greenF())
                    + 0.0722f * linear(c.blueF());
        };
        const float background = luminance(about.palette().color(QPalette::Window));
        for (const QLabel *label : about.findChildren<QLabel *>()) {
            const float text = luminance(label->palette().color(QPalette::WindowText));
            QVERIFY2((std::max(text, background) + 0.05f) / (std::min(text, background) + 0.05f)
                             >= 4.5f,
                     qPrintable(label->objectName()));
        }
        auto *link = about.findChild<QLabel *>("lblLink");
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(Qt::blue));
        QTest::mouseMove(link, QPoint(3, 3));
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(Qt::green));
        QTest::mouseMove(&about, QPoint(3, 3));
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(Qt::blue));
        QTest::mouseClick(link, Qt::LeftButton);
        // By keyboard: Tab from OK reaches the link, and Enter or Space follows it.
        QTest::keyClick(&about, Qt::Key_Tab);
        QVERIFY(link->hasFocus());
        QTest::keyClick(link, Qt::Key_Return);
        QTest::keyClick(link, Qt::Key_Space);
        QCOMPARE(m_urls, QList<QUrl>(3, QUrl("http://" + link->text())));
        QVERIFY(about.isVisible());
        QCOMPARE(QAccessible::queryAccessibleInterface(link)->role(), QAccessible::Link);
        QDesktopServices::unsetUrlHandler("http");
        // The box says what the program is, as its README does.
        QFile readme(QFINDTESTDATA("../README.md"));
        QVERIFY(readme.open(QIODevice::ReadOnly));
        QCOMPARE(about.findChild<QLabel *>("lblDescription")->text(),
                 QString::fromUtf8(readme.readAll().split('\n').at(2)));
    }
};

QTEST_MAIN(tst_dialogs)
#include "tst_dialogs.moc"
