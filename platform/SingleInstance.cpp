// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A plain Unix socket rather than QLocalServer: the toolkit's network library would load nine
// more shared libraries (Kerberos, libproxy) at every start, for one listening socket.

#include "SingleInstance.h"

#include <QFile>
#include <QSocketNotifier>
#include <QTimer>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <optional>
#include <thread>
#include <tuple>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform {

namespace {

using namespace std::chrono_literals;

// Longer than any command: a client that sends this much without a line end is not ours.
constexpr qsizetype longestLine = 16;
constexpr char answer[] = "ok\n";

QString claimedPath;

std::optional<sockaddr_un> addressOf(const QString &socketPath)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = QFile::encodeName(socketPath);
    if (path.isEmpty() || static_cast<size_t>(path.size()) >= sizeof address.sun_path)
        return std::nullopt;
    std::memcpy(address.sun_path, path.constData(), static_cast<size_t>(path.size()));
    return address;
}

std::optional<Command> commandOf(const QByteArray &line)
{
    for (const Command command : {Command::Show, Command::Toggle}) {
        if (line == CommandLine(command))
            return command;
    }
    return std::nullopt;
}

bool fromThisUser(int fd)
{
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == ::geteuid();
}

// One client of the command socket, from its connection to its answer or its dismissal.
class Connection : public QObject
{
public:
    Connection(int fd, QObject &server, const std::function<void(Command)> &handler,
               std::chrono::milliseconds patience)
        : QObject(&server), m_fd(fd), m_notifier(fd, QSocketNotifier::Read, this)
    {
        connect(&m_notifier, &QSocketNotifier::activated, this,
                [this, &handler] { read(handler); });
        QTimer::singleShot(patience, this, &QObject::deleteLater);
    }
    ~Connection() override { ::close(m_fd); }

private:
    void read(const std::function<void(Command)> &handler)
    {
        char chunk[longestLine];
        const ssize_t got = ::recv(m_fd, chunk, sizeof chunk, MSG_DONTWAIT);
        if (got < 0 && (errno == EAGAIN || errno == EINTR))
            return;
        if (got > 0)
            m_received.append(chunk, got);
        const bool complete = m_received.endsWith('\n');
        if (got <= 0 || m_received.size() > longestLine
            || (!complete && m_received.contains('\n'))) {
            m_notifier.setEnabled(false);
            deleteLater();
            return;
        }
        if (!complete)
            return;
        m_notifier.setEnabled(false);
        if (const std::optional<Command> command = commandOf(m_received)) {
            handler(*command);
            // The client waits for this before it ends; it has nothing left to send, so the
            // small answer fits the socket's buffer and never blocks.
            std::ignore = ::send(m_fd, answer, sizeof answer - 1, MSG_DONTWAIT | MSG_NOSIGNAL);
        }
        deleteLater();
    }

    int m_fd;
    QSocketNotifier m_notifier;
    QByteArray m_received;
};

} // namespace

QByteArray CommandLine(Command command)
{
    return command == Command::Toggle ? QByteArrayLiteral("toggle\n") : QByteArrayLiteral("show\n");
}

QString RuntimeFolder()
{
    const QByteArray base = qgetenv("XDG_RUNTIME_DIR");
    if (!base.startsWith('/'))
        return {};
    const QByteArray folder = base + "/cambrivo";
    if (::mkdir(folder.constData(), 0700) != 0 && errno != EEXIST)
        return {};
    // The socket is only as private as its folder: refuse one that someone else could reach.
    struct stat status
    {
    };
    if (::lstat(folder.constData(), &status) != 0 || !S_ISDIR(status.st_mode)
        || status.st_uid != ::geteuid() || (status.st_mode & 077) != 0)
        return {};
    return QFile::decodeName(folder);
}

QString DisplayKey()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    QByteArray key;
    if (platform.startsWith("wayland")) {
        key = qEnvironmentVariable("WAYLAND_DISPLAY", QStringLiteral("wayland-0")).toUtf8();
    } else if (platform.isEmpty() || platform.startsWith("xcb")) {
        QByteArray display = qgetenv("DISPLAY");
        // ":0" and ":0.0" are one display; only the screen differs.
        const qsizetype colon = display.lastIndexOf(':');
        const qsizetype dot = display.indexOf('.', colon);
        if (colon >= 0 && dot > colon)
            display.truncate(dot);
        if (!display.isEmpty())
            key = "x" + display;
        else if (platform.isEmpty())
            key = qgetenv("WAYLAND_DISPLAY");
    }
    for (char &c : key) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '.')
            c = '_';
    }
    return QString::fromLatin1(key);
}

bool SendCommand(const QString &socketPath, Command command)
{
    const std::optional<sockaddr_un> address = addressOf(socketPath);
    if (!address)
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    bool taken = false;
    const QByteArray line = CommandLine(command);
    if (::connect(fd, reinterpret_cast<const sockaddr *>(&*address), sizeof *address) == 0
        && ::send(fd, line.constData(), static_cast<size_t>(line.size()), MSG_NOSIGNAL)
                == line.size()) {
        pollfd reply{fd, POLLIN, 0};
        char got[sizeof answer] = {};
        taken = ::poll(&reply, 1, 2000) == 1 && ::recv(fd, got, sizeof got, 0) == sizeof answer - 1
                && std::strcmp(got, answer) == 0;
    }
    ::close(fd);
    return taken;
}

Claim ClaimStrip(Command command)
{
    const QString key = DisplayKey();
    const QString folder = key.isEmpty() ? QString() : RuntimeFolder();
    if (folder.isEmpty())
        return Claim::Alone;
    const QString socketPath = folder + u'/' + key;
    if (!addressOf(socketPath))
        return Claim::Alone;
    // Held, never closed, for the life of the process: the kernel lets go of it at the end, so
    // neither a kill nor a crash leaves a lock behind.
    const int lock = ::open(QFile::encodeName(socketPath + QStringLiteral(".lock")).constData(),
                            O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (lock < 0)
        return Claim::Alone;
    // A start that finds the lock taken and nobody listening yet meets a strip still starting.
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    for (;;) {
        if (SendCommand(socketPath, command)) {
            ::close(lock);
            return Claim::HandedOver;
        }
        if (::flock(lock, LOCK_EX | LOCK_NB) == 0) {
            claimedPath = socketPath;
            return Claim::Serve;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            ::close(lock);
            return Claim::Alone;
        }
        std::this_thread::sleep_for(5ms);
    }
}

QString ClaimedSocketPath()
{
    return claimedPath;
}

CommandServer::CommandServer(std::function<void(Command)> handler,
                             std::chrono::milliseconds patience)
    : m_handler(std::move(handler)), m_patience(patience)
{ }

CommandServer::~CommandServer()
{
    if (m_listener >= 0)
        ::close(m_listener);
}

bool CommandServer::listen(const QString &socketPath)
{
    const std::optional<sockaddr_un> address = addressOf(socketPath);
    if (!address || m_listener >= 0)
        return false;
    m_listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (m_listener < 0)
        return false;
    // Whoever holds the lock owns the name; a socket still there was left by a strip that died.
    ::unlink(address->sun_path);
    if (::bind(m_listener, reinterpret_cast<const sockaddr *>(&*address), sizeof *address) != 0
        || ::chmod(address->sun_path, 0600) != 0 || ::listen(m_listener, 8) != 0) {
        ::close(m_listener);
        m_listener = -1;
        return false;
    }
    auto *notifier = new QSocketNotifier(m_listener, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &CommandServer::accept);
    return true;
}

void CommandServer::accept()
{
    for (;;) {
        const int client = ::accept4(m_listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (client < 0)
            return;
        if (fromThisUser(client))
            new Connection(client, *this, m_handler, m_patience);
        else
            ::close(client);
    }
}

} // namespace platform
