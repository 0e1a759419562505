// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Store.h"
#include "core/ConversionSettings.h"
#include "platform/Beep.h"
#include "resources/AppIcon.h"
#include "ui/dialogs/frmAbout.h"
#include "ui/dialogs/frmConfigure.h"

#include <QTest>
#include <QtWidgets>

using test::row;

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
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.path()));
        // clang-format off
        for (auto [key, value] : {std::pair{"Value", "6.55957"}, {"CurrencyDescription", "EURO"},
                 {"EuroDecimal", "9"}, {"CurrencyDecimal", "x"}, {"UseSeparator", "2"}})
            m_store.setValue(QString("Parameters/") + key, value);
        // clang-format on
        m_store.sync();
        m_beeps = 0;
        platform::beepFunction() = std::function<void()>([this] { ++m_beeps; });
    }

    void save_data()
    {
        // A rate and a symbol (null: untouched) put in, then how the dialog closes: "saved" on
        // Enter, Esc, the Annulla button, or the box that refuses the values with a beep.
        test::columns<QString, QString, QString>({"rate", "symbol", "outcome"});
        // clang-format off
        row("groups, a sign", "+1.936.270,5", "Lit", "saved"); row("Esc", "2", "Lit", "Esc");
        row("blanks", " 1,95583 ", "лв", "saved"); row("symbol untouched", "2", QString(), "saved");
        row("Annulla", "2", "Lit", "cmdExit"); row("no symbol", "2", "", "txtTestoValuta");
        row("a blank symbol", "2", " \t", "txtTestoValuta"); row("no rate", "", "", "txtCambio");
        row("zero", "0", "", "txtCambio"); row("negative", "-5", "", "txtCambio");
        row("a group of two", "1936.27", "", "txtCambio");
        row("a group after a zero", "0.500", "", "txtCambio");
        row("four digits before a group", "1234.567", "", "txtCambio");
        // clang-format on
    }

    void save()
    {
        QFETCH(QString, rate);
        QFETCH(QString, symbol);
        QFETCH(QString, outcome);
        cambrivo::intCurrencyDecimal = 9; // as the strip used it before
        frmConfigure dialog;
        dialog.Form_Load();
        dialog.show();
        // What the program actually uses; a symbol longer than can be typed stays whole.
        QCOMPARE(shown(dialog), "false|0|9|EURO|6.55957|Altra valuta");
        dialog.findChild<QLineEdit *>("txtCambio")->setText(rate);
        if (!symbol.isNull())
            dialog.findChild<QLineEdit *>("txtTestoValuta")->setText(symbol);
        if (auto *button = dialog.findChild<QPushButton *>(outcome))
            button->click();
        else
            QTest::keyClick(&dialog, outcome == "Esc" ? Qt::Key_Escape : Qt::Key_Return);

        m_store.sync();
        QStringList values = m_store.allKeys(); // in key order: CurrencyDecimal, ...
        for (QString &name : values)
            name = m_store.value(name).toString();
        QCOMPARE(values.join('|'),
                 outcome == "saved" ? "0|" + (symbol.isNull() ? "EURO" : symbol) + "|9|0|" + rate
                                    : "x|EURO|9|2|6.55957");
        // The strip's at once.
        QCOMPARE(cambrivo::intCurrencyDecimal, qint16(outcome == "saved" ? 0 : 9));
        auto *box = dialog.findChild<QLineEdit *>(outcome);
        QCOMPARE(m_beeps, box ? 1 : 0);
        QCOMPARE(dialog.isVisible(), box != nullptr);
        QVERIFY(!box || (dialog.focusWidget() == box && box->selectedText() == box->text()));
    }

    void currencyList_data()
    {
        // Stored rate and symbol, keys typed into a field, and then shown() from the own decimals.
        test::columns<QString, QString, QString, QString, QString>(
                {"rate", "symbol", "box", "keys", "after"});
        // clang-format off
        row("a number", "1.936,27", "Lit", "txtCambio", "", "0|9|Lit|1.936,27|ITL – Lira italiana");
        row("shared rates", "1,95583", "DM", "txtCambio", "", "2|9|DM|1,95583|DEM – Deutsche Mark");
        row("chosen by key", "1936,27", "Lit", "cmbValuta", "D", "2|9|DM|1,95583|DEM – Deutsche Mark");
        row("a rate typed", "6,55957", "F", "txtCambio", "1", "2|9|F|6,559571|Altra valuta");
        row("a symbol typed", "40,3399", "EURO", "txtTestoValuta", "\b\b\b\bF",
            "0|9|F|40,3399|LUF – Franc luxembourgeois");
        // clang-format on
    }

    void currencyList()
    {
        QFETCH(QString, rate);
        QFETCH(QString, symbol);
        QFETCH(QString, box);
        QFETCH(QString, keys);
        QFETCH(QString, after);
        m_store.setValue("Parameters/Value", rate);
        m_store.setValue("Parameters/CurrencyDescription", symbol);
        m_store.sync();
        frmConfigure dialog;
        dialog.Form_Load();
        QTest::keyClicks(dialog.findChild<QWidget *>(box), keys);
        QCOMPARE(shown(dialog), "false|" + after);
    }

    // The wheel turns the list only once the list has the focus; "other" keeps the values.
    void wheelTurnsTheListOnlyWithTheFocus()
    {
        frmConfigure dialog;
        dialog.Form_Load();
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto *list = dialog.findChild<QComboBox *>("cmbValuta");
        for (const char *focus : {"txtCambio", "cmbValuta"}) {
            dialog.findChild<QWidget *>(focus)->setFocus();
            QWheelEvent turn({5, 5}, list->mapToGlobal(QPointF(5, 5)), {}, {0, -120}, Qt::NoButton,
                             {}, Qt::NoScrollPhase, false);
            QApplication::sendEvent(list, &turn);
        }
        QCOMPARE(shown(dialog), "false|2|9|öS|13,7603|ATS – Österreichischer Schilling");
        QTest::keyClick(list, Qt::Key_Home);
        QCOMPARE(shown(dialog), "false|2|9|öS|13,7603|Altra valuta");
        for (const QLabel *label :
             dialog.findChildren<QLabel *>()) // its key: the control beside it
            QVERIFY(!label->buddy()
                    || (label->buddy()->x() > label->x()
                        && qAbs(label->buddy()->y() - label->y()) < label->height()));
    }

    void symbolKeepsWholeCharacters_data()
    {
        // Before ("|" marks the cursor), inserted as typing and pasting do, after.
        test::columns<QString, QString, QString>({"before", "inserted", "after"});
        // clang-format off
        row("a whole emoji", "ab|", "💶", "ab💶"); row("no half emoji", "abc|", "💶", "abc");
        row("pasted, cut whole", "|", "ab💶x", "ab💶"); row("before the text", "|ab", "xyz", "xab");
        row("a combining accent", "ab|", "e\u0301", "abe\u0301");
        row("a full box", "EURO|", "x", "EURO");
        row("a lone surrogate", "a|", QString(QChar(0xD83D)) + "b", "ab");
        // clang-format on
    }

    void symbolKeepsWholeCharacters()
    {
        QFETCH(QString, before);
        QFETCH(QString, inserted);
        frmConfigure dialog;
        auto *box = dialog.findChild<QLineEdit *>("txtTestoValuta");
        box->setText(QString(before).remove('|'));
        box->setCursorPosition(static_cast<int>(before.indexOf('|')));
        box->insert(inserted);
        QTEST(box->text(), "after");
    }

    // The small sizes are drawn by hand: one scaled from larger artwork blurs.
    void iconOfThirtyTwoPixels()
    {
        QCOMPARE(resources::appIcon().pixmap(32).toImage(),
                 QPixmap(":/icons/cambrivo-32.png").toImage());
        QVERIFY(resources::appIcon().availableSizes().contains(QSize(256, 256)));
    }

    void about()
    {
        QDesktopServices::setUrlHandler("http", this, "openUrl");
        // A dark colour scheme, for good: this is the last test.
        QApplication::setPalette(QPalette(QColor(40, 40, 40)));
        frmAbout about;
        about.Form_Load();
        about.show();
        QVERIFY(QTest::qWaitForWindowActive(&about));
        const int bg = qGray(about.palette().color(QPalette::Window).rgb());
        for (const QLabel *l : about.findChildren<QLabel *>()) // the link at opening too
            QVERIFY(std::abs(qGray(l->palette().color(QPalette::WindowText).rgb()) - bg) > 128);
        auto *link = about.findChild<QLabel *>("lblLink");
        // The whole host shows, whatever the build names.
        QVERIFY(link->width() >= link->sizeHint().width()
                && about.rect().contains(link->geometry()));
        const QImage plain = link->grab().toImage();
        QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(-1, -1)); // a press dragged off it
        QTest::keyClick(&about, Qt::Key_Tab);
        QVERIFY(link->grab().toImage() != plain); // the focus frame
        QTest::keyClick(link, Qt::Key_Enter, Qt::KeypadModifier);
        QTest::keyClick(&about, Qt::Key_Tab);
        QCOMPARE(link->grab().toImage(), plain); // only while it has the focus
        QVERIFY(std::exchange(m_urls, {}).size() == 1 && about.isVisible());
        QTest::mouseMove(link, QPoint(3, 3));
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(Qt::green));
        QTest::mouseMove(&about, QPoint(3, 3));
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(Qt::blue));
        QTest::mouseClick(link, Qt::LeftButton);
        QTest::keyClick(&about, Qt::Key_Tab); // from OK to the link, which Enter and Space follow
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(m_urls == QList<QUrl>(3, QUrl("http://" + link->text())) && about.isVisible());
        QCOMPARE(QAccessible::queryAccessibleInterface(link)->role(), QAccessible::Link);
        QDesktopServices::unsetUrlHandler("http");
    }
};

QTEST_MAIN(tst_dialogs)
#include "tst_dialogs.moc"
