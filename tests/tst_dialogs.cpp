#include "core/Module1.h"
#include "platform/Beep.h"
#include "ui/dialogs/frmAbout.h"
#include "ui/dialogs/frmConfigure.h"

#include <QTest>
#include <QtWidgets>

// The fields in creation order: grouping, own decimals, euro decimals, symbol, rate.
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
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.path()));
        // clang-format off
        for (auto [key, value] : {std::pair{"Value", "6.55957"}, {"CurrencyDescription", "DM"},
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
        QTest::addColumn<QString>("outcome"); // "saved" on Enter, "Esc", or the refusing box
        // clang-format off
        QTest::newRow("grouped") << "+1.936.270,5" << "Lit" << "saved";
        QTest::newRow("blanks kept") << " 1,95583 " << "лв" << "saved";
        QTest::newRow("Esc") << "2" << "Lit" << "Esc";
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
        QCOMPARE(shown(dialog), "false|0|2|DM|6.55957"); // what the program actually uses
        QCOMPARE(dialog.findChildren<QLabel *>("lblDecimalPlaces").size(), 2);
        dialog.findChild<QLineEdit *>("txtCambio")->setText(rate);
        dialog.findChild<QLineEdit *>("txtTestoValuta")->setText(symbol);
        QTest::keyClick(&dialog, outcome == "Esc" ? Qt::Key_Escape : Qt::Key_Return);

        m_store.sync();
        QStringList values = m_store.allKeys(); // in key order: CurrencyDecimal, ...
        for (QString &name : values)
            name = m_store.value(name).toString();
        const bool saved = outcome == "saved";
        QCOMPARE(values.join('|'), saved ? "0|" + symbol + "|2|0|" + rate : "x|DM|12|2|6.55957");
        // A stored rate the program cannot use reads as the default; a saved one at once.
        QCOMPARE(Module1::dblCambio, Module1::ParseAmount(saved ? rate : "1936,27")->toDouble());
        auto *box = dialog.findChild<QLineEdit *>(outcome);
        QCOMPARE(m_beeps, box ? 1 : 0);
        QCOMPARE(dialog.isVisible(), box != nullptr);
        if (box)
            QVERIFY(dialog.focusWidget() == box && box->selectedText() == box->text());
    }

    void symbolKeepsWholeCharacters()
    {
        frmConfigure dialog;
        auto *box = dialog.findChild<QLineEdit *>("txtTestoValuta");
        // Before ("|" marks the cursor), inserted as typing and pasting do, after.
        // clang-format off
        for (const auto &[before, inserted, after] : std::initializer_list<std::array<QString, 3>>{
            {"ab|", "💶", "ab💶"}, {"abc|", "💶", "abc"}, {"|", "ab💶x", "ab💶"}, {"|ab", "xyz", "xab"},
            {"ab|", "e\u0301", "abe\u0301"}, {"a|", QString(QChar(0xD83D)) + "b", "ab"}}) {
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
        frmAbout about;
        about.Form_Load();
        about.show();
        auto *link = about.findChild<QLabel *>("lblLink");
        QTest::mouseMove(link, QPoint(3, 3));
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(Qt::green));
        QTest::mouseMove(&about, QPoint(3, 3));
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(Qt::blue));
        QTest::mouseClick(link, Qt::LeftButton);
        QVERIFY(m_urls == QList<QUrl>{QUrl("http://" + link->text())} && about.isVisible());
        QDesktopServices::unsetUrlHandler("http");
    }
};

QTEST_MAIN(tst_dialogs)
#include "tst_dialogs.moc"
