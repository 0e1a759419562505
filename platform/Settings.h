// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>

#include <utility>

namespace platform {

/// The text stored under `key` in section "Parameters" of the per-user store of application
/// "Cambrivo", or `defaultText` when the key is absent.
QString GetSetting(const QString &key, const QString &defaultText);

/// Writes the entries in their order and puts them on disk before returning. A store that
/// cannot be written is reported once on standard error and otherwise left alone; the result
/// says whether the entries reached the disk.
bool SaveSettings(const QList<std::pair<QString, QString>> &entries);

} // namespace platform
