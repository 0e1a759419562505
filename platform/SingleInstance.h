// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <chrono>
#include <functional>

namespace platform {

/// What a later start asks of the running strip.
enum class Command { Show, Toggle };

/// The bytes of `command` on the socket: one short line.
QByteArray CommandLine(Command command);

/// How this start goes on, once ClaimStrip() has looked for a running strip.
enum class Claim {
    HandedOver, // a running strip took the command: this process is done
    Serve, // this process is the strip of its user and display, and listens for commands
    Alone, // no runtime folder (or no display to name): a strip of its own, as ever
};

/// The folder, owned by the user and closed to everyone else, that holds the socket and the
/// lock of each display; empty when $XDG_RUNTIME_DIR is unset or unusable.
QString RuntimeFolder();

/// The name of the display the program is about to open, fit for a file name; empty when the
/// platform has no display to share (offscreen, say). Call after PreferX11().
QString DisplayKey();

/// Sends `command` to the strip listening at `socketPath` and waits for it to confirm. POSIX
/// calls only: it runs before the application object exists.
bool SendCommand(const QString &socketPath, Command command);

/// Before the application object exists: hands `command` to the strip that already runs for
/// this user on this display, or makes this process that strip, holding a lock for as long as it
/// lives (the kernel drops the lock when the process dies, however it dies). A start that finds
/// another one still starting waits for it to listen.
Claim ClaimStrip(Command command);

/// Where the strip of ClaimStrip() listens; empty unless it returned Claim::Serve.
QString ClaimedSocketPath();

/// The running strip's end of the socket: runs each known command it receives and answers it.
/// Anything else (an unknown or overlong line, a client that says nothing for `patience`, a
/// client of another user) is dropped without an answer. It never waits on a client, and the
/// idle strip with no client connected has no timer running.
class CommandServer : public QObject
{
public:
    explicit CommandServer(std::function<void(Command)> handler,
                           std::chrono::milliseconds patience = std::chrono::seconds(2));
    ~CommandServer() override;

    /// Listens at `socketPath`, replacing a socket left there by a strip that died.
    bool listen(const QString &socketPath);

private:
    void accept();

    std::function<void(Command)> m_handler;
    std::chrono::milliseconds m_patience;
    int m_listener = -1;
};

} // namespace platform
