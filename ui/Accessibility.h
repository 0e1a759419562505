// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace accessibility {

/// Puts the program's own accessible interfaces in place of the toolkit's where those fall
/// short: text boxes that give a screen reader their whole text, lists that say the item they
/// show, and check mark menu items that say their state both ways. Safe to call more than once.
void install();

/// Has a screen reader speak short news about a window politely, without moving the focus:
/// the toolkit's announcement where it has one, else a notification, which Orca 43 speaks.
class Announcer
{
public:
    explicit Announcer(QWidget &owner) : m_owner(owner) { }

    /// Speaks `text` unless it was the last thing said since forget().
    void say(const QString &text);
    void forget() { m_said.clear(); }

private:
    QWidget &m_owner;
    QObject m_anchor; // what a screen reader sees as the notification's object
    QString m_said;
};

} // namespace accessibility
