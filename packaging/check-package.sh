#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Cambrivo developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks what `make package` left in build/deb/: lintian on the source and binary packages (any
# tag that is not overridden fails), then installs the .deb with apt-get, runs its autopkgtest on
# this machine (null runner), purges it and fails if any of its files is left behind. Run as root
# or with sudo; the package must not be installed beforehand.
set -euo pipefail
cd "$(dirname "$0")/.."

SUDO=
[ "$(id -u)" -eq 0 ] || SUDO=sudo
apt() { $SUDO env DEBIAN_FRONTEND=noninteractive apt-get -y -qq --no-install-recommends "$@"; }
step() { printf '\n== %s\n' "$*"; }
fail() { printf 'check-package: %s\n' "$*" >&2; exit 1; }

changes=build/deb/cambrivo_$(dpkg-parsechangelog -S Version)_$(dpkg --print-architecture).changes
deb=${changes%.changes}.deb
[ -f "$changes" ] || fail "no $changes; run make package first"
if dpkg-query -W -f='${Status}' cambrivo 2>/dev/null | grep -q 'ok installed'; then
    fail "cambrivo is installed already; purge it first"
fi

step "lintian"
lintian -I --pedantic --fail-on error,warning,info,pedantic "$changes"

step "install"
trap 'apt purge cambrivo' EXIT
apt install "./$deb"
files=$(dpkg-query -L cambrivo)

step "autopkgtest"
autopkgtest "$changes" -- null

step "purge"
trap - EXIT
apt purge cambrivo
if dpkg-query -W -f='${Status}' cambrivo 2>/dev/null | grep -qv not-installed; then
    fail "cambrivo is not fully purged"
fi
left=0
while IFS= read -r path; do
    # A folder may stay only when another package owns it as well.
    if [ -d "$path" ] && [ ! -L "$path" ]; then
        [ "$path" = /. ] || dpkg-query -S "$path" > /dev/null 2>&1 ||
            { echo "left behind: $path/ holding:" $(ls -A "$path"); left=1; }
    elif [ -e "$path" ] || [ -L "$path" ]; then
        echo "left behind: $path"; left=1
    fi
done <<< "$files"
[ "$left" -eq 0 ] || fail "the purge left files behind"
echo "check-package: all checks passed"
