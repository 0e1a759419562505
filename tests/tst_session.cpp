// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Store.h"
#include "platform/Beep.h"
#include "platform/SingleInstance.h"
#include "ui/dialogs/frmMenus.h"

#include <QTest>
#include <QtWidgets>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace std::chrono_literals;

// Reads what the server sent; true once it has closed its end.
bool closedBy(int fd, QByteArray &answer)
{
    char chunk[64];
    for (;;) {
        const ssize_t got = recv(fd, chunk, sizeof chunk, MSG_DONTWAIT);
        if (got <= 0)
            return got == 0 || errno != EAGAIN;
        answer.append(chunk, got);
    }
}

class tst_session : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void commands_data()
    {
        test::columns<QByteArray, QString>({"sent", "ran"});
        // clang-format off
        using test::row;
        row("show", QByteArray("show\n"), "show"); row("a megabyte", QByteArray(1 << 20, 's'), "");
        row("toggle", QByteArray("toggle\n"), "toggle"); row("unknown", QByteArray("quit\n"), "");
        row("two commands at once", QByteArray("show\ntoggle\n"), "");
        row("a NUL before a command", QByteArray("\0show\n", 6), "");
        row("a command without its line end", QByteArray("show"), "");
        // clang-format on
    }

    // Whatever a client sends, the server closes the connection without blocking, and runs and
    // confirms only a command.
    void commands()
    {
        QFETCH(QByteArray, sent);
        QFETCH(QString, ran);
        QStringList run;
        platform::CommandServer server(
                [&run](platform::Command c) {
                    run << (c == platform::Command::Toggle ? "toggle" : "show");
                },
                50ms);
        const QString path = m_dir.filePath("socket");
        QFile(path).open(QIODevice::WriteOnly); // left by a strip that died
        QVERIFY(server.listen(path));

        sockaddr_un address{AF_UNIX, {}};
        qstrncpy(address.sun_path, QFile::encodeName(path).constData(), sizeof address.sun_path);
        const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
        QCOMPARE(::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
        std::ignore = send(fd, sent.constData(), sent.size(), MSG_NOSIGNAL);
        QByteArray answer;
        QTRY_VERIFY_WITH_TIMEOUT(closedBy(fd, answer), 2000);
        close(fd);
        QCOMPARE(run.join(','), ran);
        QCOMPARE(answer, ran.isEmpty() ? "" : "ok\n");
    }

    void autostart_data()
    {
        // entry: null: none; "folder": the folder is a file
        test::columns<QByteArray, bool, bool>({"entry", "checked", "afterClick"});
        const QByteArray start = "[Desktop Entry]\nType=Application\nExec=cambrivo\n";
        // clang-format off
        test::row("no entry", QByteArray(), false, true); test::row("an entry", start, true, false);
        test::row("a hidden entry", start + "Hidden=true\n", false, true);
        test::row("a folder it cannot write", QByteArray("folder"), false, false);
        // clang-format on
    }

    // The check mark follows the entry each time the menu opens; a click that cannot change the
    // entry leaves the mark as the entry is, with a beep.
    void autostart()
    {
        QFETCH(QByteArray, entry);
        QFETCH(bool, checked);
        QFETCH(bool, afterClick);
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        QDir(config.path()).mkpath(entry == "folder" ? "." : "autostart");
        QFile file(config.filePath(entry == "folder" ? "autostart"
                                                     : "autostart/org.example.cambrivo.desktop"));
        if (!entry.isNull())
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(entry) == entry.size());
        file.close();
        int beeps = 0;
        platform::beepFunction() = std::function<void()>([&beeps] { ++beeps; });

        QWidget main;
        frmMenus menus(main);
        auto *item = menus.findChild<QAction *>("mnuAutostart");
        item->setChecked(!checked);
        emit menus.mnuBar()->aboutToShow();
        QCOMPARE(item->isChecked(), checked);
        item->trigger();
        QCOMPARE(item->isChecked(), afterClick);
        QCOMPARE(beeps, afterClick == checked ? 1 : 0);
        if (!afterClick)
            return;
        QProcess validate; // the entry is valid, and names this program by its path: not on PATH
        validate.start("desktop-file-validate", {file.fileName()});
        QVERIFY(validate.waitForFinished() && validate.exitCode() == 0 && validate.readAll() == "");
        QVERIFY(file.open(QIODevice::ReadOnly)
                && file.readAll().contains("\nExec=" + qApp->applicationFilePath().toUtf8()
                                           + '\n'));
    }
};

QTEST_MAIN(tst_session)
#include "tst_session.moc"
