#include "platform/IniFile.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using platform::IniValue;

class tst_inifile : public QObject
{
    Q_OBJECT

private slots:
    void lookup_data();
    void lookup();
    void searchTakesFirstRegularFile();
};

void tst_inifile::lookup_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("key"); // in section "a"
    QTest::addColumn<QVariant>("expected"); // invalid: the key is absent

    const QByteArray x253(253, 'x');
    const QString utf16 = QStringLiteral("[a]\nk=€😀");
    const auto row = [](const char *name, const QByteArray &file, const char *key,
                        const QVariant &expected) {
        QTest::newRow(name) << file << QString::fromLatin1(key) << expected;
    };
    row("names ignore ASCII case", "[A]\nK=1", "k", "1");
    row("non-ASCII letters keep case", "[a]\n\xC3\x80=1", "\xE0", {});
    row("first section wins", "[a]\nk=1\n[A]\nk=2\nj=3", "k", "1");
    row("repeated section unread", "[a]\nk=1\n[A]\nk=2\nj=3", "j", {});
    row("first key wins", "[a]\nk=1\nK=2", "k", "1");
    row("before any section", "k=1\n[a]", "k", {});
    row("blanks trimmed", " \t[ a ]\v\n\f k \t= v  w \t\v", "k", "v  w");
    row("one quote pair removed", "[a]\nk=\"' x '\"", "k", "' x '");
    row("unmatched quotes kept", "[a]\nk=\"x'", "k", "\"x'");
    row("comment line", "[a]\n ;k=1\nk=2", "k", "2");
    row("no inline comment", "[a]\nk=Lit ; nota", "k", "Lit ; nota");
    row("line without =", "[a]\nk\nk=2", "k", "2");
    row("split at first =", "[a]\nk = x=y", "k", "x=y");
    row("empty value", "[a]\nk=", "k", "");
    row("header ends at first ]", "[a]b]\nk=1", "k", "1");
    row("CR", "[a]\rj=1\rk=2", "k", "2");
    row("CR LF", "[a]\r\nk=2\r\n", "k", "2");
    row("LF", "[a]\nk=2\n", "k", "2");
    row("NUL ends its line", QByteArray("[a]\nk=1\0\nk=2\nj=3", 16), "k", "1");
    row("254 characters", "[a]\nk=" + QByteArray(300, 'x'), "k", QString(254, u'x'));
    row("pair at the cut", "[a]\nk=" + x253 + "\xF0\x9F\x98\x80y", "k",
        QString::fromUtf8(x253 + "\xF0\x9F\x98\x80"));
    row("UTF-8 BOM", "\xEF\xBB\xBF[a]\nk=\xC3\xA0\xC3", "k", QStringLiteral("à\uFFFD"));
    row("UTF-16 LE", "\xFF\xFE" + QByteArray(QStringEncoder(QStringEncoder::Utf16LE)(utf16)), "k",
        utf16.sliced(6));
    row("UTF-16 BE", "\xFE\xFF" + QByteArray(QStringEncoder(QStringEncoder::Utf16BE)(utf16)), "k",
        utf16.sliced(6));
    row("valid UTF-8", "[a]\nk=\xE2\x82\xAC", "k", QStringLiteral("€"));
    row("Windows-1252", "[a]\nk=\x80\xE0", "k", QStringLiteral("€à"));
    row("truncated UTF-8", "[a]\nk=\xE2\x82", "k", QStringLiteral("â‚"));
    row("over 1 MiB", "[a]\nk=1\n" + QByteArray(1 << 20, ';'), "k", {});
}

void tst_inifile::lookup()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, key);
    QFETCH(QVariant, expected);
    QTemporaryDir dir;
    QFile out(dir.filePath(QStringLiteral("x.lgf")));
    QVERIFY(out.open(QIODevice::WriteOnly) && out.write(file) == file.size());
    out.close();
    const auto value = IniValue(platform::ReadIniFile(out.fileName()), u"a", key);
    QCOMPARE(value ? QVariant(*value) : QVariant(), expected);
}

void tst_inifile::searchTakesFirstRegularFile()
{
    QTemporaryDir dir;
    const auto path = [&dir](const char *name) {
        return dir.filePath(QString::fromLatin1(name));
    };
    for (const char *name : {"b.LGF", ".0.lgf", "0.txt"})
        QFile(path(name)).open(QIODevice::WriteOnly);
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("0.lgf")));
    QVERIFY(QFile::link(path("gone"), path("1.lgf")));
    QVERIFY(::mkfifo(QFile::encodeName(path("a.lgf")).constData(), 0600) == 0);
    QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path("a0.lgf")));
    QVERIFY(QFile::link(path("0.txt"), path("aa.Lgf")));
    QCOMPARE(platform::FindLanguageFile(dir.path()), path("aa.Lgf"));
    QFile::remove(path("aa.Lgf"));
    QCOMPARE(platform::FindLanguageFile(dir.path()), path("b.LGF"));
    QVERIFY(platform::ReadIniFile(path("a.lgf")).isEmpty()); // a FIFO: must not wait
}

QTEST_GUILESS_MAIN(tst_inifile)
#include "tst_inifile.moc"
