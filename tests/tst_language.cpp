#include "i18n/Module1.h"
#include "platform/IniFile.h"
#include "ui/dialogs/frmMenus.h"
#include "ui/main/frmMain.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocumentFragment>

class tst_language : public QObject
{
    Q_OBJECT

private slots:
    void stripAndMenu();
    void sharedNameTakesOneCaption();
    void shippedFile_data();
    void shippedFile();

private:
    QTemporaryDir m_dir;
    void writeFile(const QByteArray &text)
    {
        QFile file(m_dir.filePath("test.lgf"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
    }
};

void tst_language::stripAndMenu()
{
    writeFile(
            "[FRMMAIN]\nTXTEURO.CAPTION=9\ntxtEuro.ToolTipText=\ncmdMenu.ToolTipText=<b>x</b>\n"
            "lblEuroDescription.Caption=<img src=y>\nShape1.ToolTipText=s\n[frmMenus]\n"
            "mnuExit.Caption=-\nmnuAbout.Caption=\nmnuSeparator1.Caption=Seen\n"
            "mnuAlwaysOnTop.Caption=Always on &top\nmnuConfigure.ToolTipText=t\nmnuBar.Caption=B");
    frmMain main;
    frmMenus menus(main);
    auto *separator = menus.findChild<QAction *>("mnuSeparator1");
    const QString separatorText = separator->text();
    auto *configure = menus.findChild<QAction *>("mnuConfigure");
    const QString configureTip = configure->toolTip();
    auto *label = main.findChild<QLabel *>("lblEuroDescription");
    label->setTextFormat(Qt::AutoText); // values are plain text whatever the form says
    Module1::ApplyLanguage(main, m_dir.path());
    Module1::ApplyLanguage(menus, m_dir.path());

    auto *euro = main.findChild<QLineEdit *>("txtEuro");
    QCOMPARE(euro->text(), "0");
    QCOMPARE(euro->toolTip(), QString());
    const QString tip = main.findChild<QPushButton *>("cmdMenu")->toolTip();
    QCOMPARE(QTextDocumentFragment::fromHtml(tip).toPlainText(), "<b>x</b>");
    QCOMPARE(label->text(), "<img src=y>");
    QCOMPARE(label->textFormat(), Qt::PlainText);
    QCOMPARE(main.findChild<QFrame *>("Shape1")->toolTip(), QString());
    QVERIFY(!menus.findChild<QAction *>("mnuAbout")->isSeparator());
    auto *exit = menus.findChild<QAction *>("mnuExit");
    QVERIFY(!exit->isSeparator() && exit->text() == "-");
    QVERIFY(separator->isSeparator());
    QCOMPARE(separator->text(), separatorText);
    QCOMPARE(configure->toolTip(), configureTip);
    QAction *onTop = menus.mnuAlwaysOnTop();
    QCOMPARE(onTop->text(), "Always on &top");
    QVERIFY(onTop->isCheckable() && onTop->isChecked());
    QCOMPARE(menus.mnuBar()->title(), "B");
}

void tst_language::sharedNameTakesOneCaption()
{
    writeFile("[frmConfigure]\nlblDecimalPlaces.Caption=&Decimals:");
    QWidget form;
    form.setObjectName("frmConfigure");
    QLabel first(&form);
    QLabel second(&form);
    first.setObjectName("lblDecimalPlaces");
    second.setObjectName("lblDecimalPlaces");
    Module1::ApplyLanguage(form, m_dir.path());
    QCOMPARE(first.text(), "&Decimals:");
    QCOMPARE(second.text(), "&Decimals:");
}

void tst_language::shippedFile_data()
{
    QTest::addColumn<QString>("path");
    const QDir lang(SOURCE_DIR "/lang");
    const QFileInfoList files = lang.entryInfoList({"*.lgf"}, QDir::Files);
    QVERIFY(!files.isEmpty());
    for (const QFileInfo &file : files)
        QTest::newRow(qPrintable(file.fileName())) << file.filePath();
}

// Every key a shipped file holds is one that takes effect, and the strip and the menu are
// complete; access keys are unique per form.
void tst_language::shippedFile()
{
    QFETCH(QString, path);
    const platform::IniSections ini = platform::ReadIniFile(path);
    frmMain main;
    frmMenus menus(main);
    const auto sorted = [](QStringList keys) {
        keys.sort();
        keys.removeDuplicates();
        return keys;
    };
    QCOMPARE(sorted(ini.keys()), QStringList({"frmconfigure", "frmmain", "frmmenus"}));
    QCOMPARE(sorted(ini["frmmain"].keys()),
             sorted(Module1::LanguageKeys(main).join('|').toLower().split('|')));
    QCOMPARE(sorted(ini["frmmenus"].keys()),
             sorted(Module1::LanguageKeys(menus).join('|').toLower().split('|')));

    QFile dialog(SOURCE_DIR "/ui/dialogs/frmConfigure.ui");
    if (dialog.open(QIODevice::ReadOnly)) {
        const QString ui = QString::fromUtf8(dialog.readAll()).toLower();
        for (const QString &key : ini["frmconfigure"].keys())
            QVERIFY2(ui.contains("name=\"" + key.section('.', 0, 0) + '"'), qPrintable(key));
    }
    for (const auto &keys : ini) {
        QList<QKeySequence> taken;
        for (auto it = keys.begin(); it != keys.end(); ++it) {
            const QKeySequence accessKey = QKeySequence::mnemonic(it.value());
            if (!it.key().endsWith(".caption") || accessKey.isEmpty())
                continue;
            QVERIFY2(!taken.contains(accessKey), qPrintable(it.key()));
            taken += accessKey;
        }
    }
}

QTEST_MAIN(tst_language)
#include "tst_language.moc"
