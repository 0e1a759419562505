#include "core/Module1.h"
#include "platform/Settings.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>

#include <cstdio>
#include <unistd.h>

class tst_settings : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void defaultsOnEmptyStore();
    void handEditedRateWithComma();
    void damagedRateGivesDefault_data();
    void damagedRateGivesDefault();
    void damagedCountsGiveDefaults_data();
    void damagedCountsGiveDefaults();
    void savedValuesAreOnDiskInOrder();
    void unwritableStoreIsReportedOnce();

private:
    QString storeFile() const { return m_dir->filePath(QStringLiteral("Cambrivo/Cambrivo.conf")); }
    void writeStore(const QByteArray &contents);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_description;
};

void tst_settings::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir->path());
    Module1::currencyDescriptionSink() = [this](const QString &text) {
        m_description = text;
    };
    m_description.clear();
}

void tst_settings::writeStore(const QByteArray &contents)
{
    QDir().mkpath(m_dir->filePath(QStringLiteral("Cambrivo")));
    QFile file(storeFile());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Parameters]\n" + contents);
}

void tst_settings::defaultsOnEmptyStore()
{
    Module1::LoadSettings();
    QCOMPARE(Module1::dblCambio, 1936.27);
    QCOMPARE(Module1::intEuroDecimal, 2);
    QCOMPARE(Module1::intCurrencyDecimal, 0);
    QCOMPARE(Module1::intUseSeparator, 1);
    QCOMPARE(m_description, u"Lit");
    QCOMPARE(platform::GetSetting(QStringLiteral("OnTop"), QStringLiteral("1")), u"1");
    QVERIFY(!QFile::exists(storeFile()));
}

void tst_settings::handEditedRateWithComma()
{
    writeStore("Value=1,95583\nCurrencyDescription=DM\n");
    QCOMPARE(platform::GetSetting(QStringLiteral("Value"), QString()), u"1,95583");
    Module1::LoadSettings();
    QCOMPARE(Module1::dblCambio, 1.95583);
    QCOMPARE(m_description, u"DM");
}

void tst_settings::damagedRateGivesDefault_data()
{
    QTest::addColumn<QByteArray>("stored");
    for (const char *rate : {"abc", "0", "\"\"", "-5", "inf", "nan", "1e309", "0,000"})
        QTest::newRow(rate) << QByteArray(rate);
}

void tst_settings::damagedRateGivesDefault()
{
    QFETCH(QByteArray, stored);
    writeStore("Value=" + stored + "\n");
    Module1::LoadSettings();
    QCOMPARE(Module1::dblCambio, 1936.27);
    QCOMPARE(Module1::CurrencyToEuroText(Module1::AmountOf(u"1000"), Module1::exactCambio, 2),
             u"0,52");
}

void tst_settings::damagedCountsGiveDefaults_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("euroDecimals");
    QTest::addColumn<int>("currencyDecimals");
    QTest::addColumn<int>("separator");

    QTest::newRow("valid") << QByteArray("4\nCurrencyDecimal=9\nUseSeparator=0") << 4 << 9 << 0;
    QTest::newRow("ten") << QByteArray("10\nCurrencyDecimal=-1\nUseSeparator=x") << 2 << 0 << 1;
    QTest::newRow("text") << QByteArray("two\nCurrencyDecimal=1,5\nUseSeparator=") << 2 << 0 << 1;
    QTest::newRow("other number means no grouping")
            << QByteArray("0\nCurrencyDecimal=3\nUseSeparator=2") << 0 << 3 << 2;
    QTest::newRow("beyond 16 bits")
            << QByteArray("70000\nCurrencyDecimal=2\nUseSeparator=99999") << 2 << 2 << 32767;
}

void tst_settings::damagedCountsGiveDefaults()
{
    QFETCH(QByteArray, stored);
    QFETCH(int, euroDecimals);
    QFETCH(int, currencyDecimals);
    QFETCH(int, separator);
    writeStore("EuroDecimal=" + stored + "\n");
    Module1::LoadSettings();
    QCOMPARE(Module1::intEuroDecimal, euroDecimals);
    QCOMPARE(Module1::intCurrencyDecimal, currencyDecimals);
    QCOMPARE(Module1::intUseSeparator, separator);
}

void tst_settings::savedValuesAreOnDiskInOrder()
{
    platform::SaveSettings({{QStringLiteral("Top"), QStringLiteral("100")},
                            {QStringLiteral("Value"), QStringLiteral("1936,27")}});
    QFile file(storeFile());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray contents = file.readAll();
    QVERIFY2(contents.contains("[Parameters]"), contents.constData());
    QVERIFY2(contents.contains("Top=100"), contents.constData());
    QCOMPARE(platform::GetSetting(QStringLiteral("Value"), QString()), u"1936,27");
}

void tst_settings::unwritableStoreIsReportedOnce()
{
    QVERIFY(QDir().mkpath(storeFile()));
    QTemporaryFile captured;
    QVERIFY(captured.open());
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    dup2(captured.handle(), STDERR_FILENO);
    platform::SaveSettings({{QStringLiteral("Top"), QStringLiteral("1")}});
    platform::SaveSettings({{QStringLiteral("Top"), QStringLiteral("2")}});
    std::fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);

    captured.seek(0);
    const QByteArray report = captured.readAll();
    QCOMPARE(report.count("cannot write"), 1);
    QVERIFY(QFileInfo(storeFile()).isDir());
}

QTEST_GUILESS_MAIN(tst_settings)
#include "tst_settings.moc"
