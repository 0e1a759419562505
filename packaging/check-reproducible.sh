#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Cambrivo developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the package of the commit checked out here from two clones at paths of different depth,
# one after the other, the second in another time zone, locale and umask and without the tests,
# and fails unless the two upstream tarballs and the two .deb files are byte-identical.
# Uncommitted changes take no part.
# Given the .deb that `make package` just built from this clean tree, it builds only the second.
set -euo pipefail
cd "$(dirname "$0")/.."

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
commit=$(git rev-parse HEAD)

build() { # build FOLDER UMASK [VARIABLE=VALUE ...]: clone into FOLDER, `make package` there
    local dir=$work/$1 mask=$2
    shift 2
    git clone -q --no-checkout . "$dir"
    git -C "$dir" checkout -q "$commit"
    (cd "$dir" && umask "$mask" && env "$@" make package) > "$dir.log" 2>&1 ||
        { tail -n 50 "$dir.log"; echo "check-reproducible: the build in $dir failed" >&2; exit 1; }
    ls "$dir"/build/deb/cambrivo_*.deb
}
if [ $# -gt 0 ]; then
    [ -z "$(git status --porcelain)" ] ||
        { echo "check-reproducible: $1 may not be of $commit: the tree has changes" >&2; exit 1; }
    first=$1
else
    first=$(build a 0022)
fi
second=$(build longer/path/b 0002 TZ=Pacific/Kiritimati LC_ALL=C.UTF-8 DEB_BUILD_OPTIONS=nocheck)
same() { # same FILE FILE: fail unless the two are byte-identical
    sha256sum "$1" "$2"
    cmp -s "$1" "$2" && return
    command -v diffoscope > /dev/null && diffoscope "$1" "$2" || true
    echo "check-reproducible: the two builds differ in ${1##*/}" >&2
    exit 1
}
same "$first" "$second"
# Each upstream tarball lies beside the .deb that was built from it.
same "${first%/*}"/cambrivo_*.orig.tar.gz "${second%/*}"/cambrivo_*.orig.tar.gz
echo "check-reproducible: both builds gave the same upstream tarball and .deb"
