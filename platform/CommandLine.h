// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "SingleInstance.h"

namespace platform {

/// Reads the program's options before anything else happens, display or not: --help and
/// --version answer and end the process with status 0, a mistake ends it with one line on
/// standard error and status 2. Otherwise returns what the start asks of the strip.
Command ParseCommandLine(int argc, char *argv[]);

} // namespace platform
