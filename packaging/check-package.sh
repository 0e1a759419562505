#!/usr/bin/env bash
# Builds the Debian package, checks it with lintian, installs it on this machine with apt-get,
# starts the installed program the way its menu entry does under Xvfb, validates the installed
# desktop entry and AppStream metadata, then purges the package and fails if any of its files is
# left behind. Run as root or with sudo; the package must not be installed beforehand.
set -euo pipefail
cd "$(dirname "$0")/.."

SUDO=
[ "$(id -u)" -eq 0 ] || SUDO=sudo
APP_ID=example.cambrivo.Cambrivo
DESKTOP=/usr/share/applications/$APP_ID.desktop
METAINFO=/usr/share/metainfo/$APP_ID.metainfo.xml

step() { printf '\n== %s\n' "$*"; }
fail() { printf 'check-package: %s\n' "$*" >&2; exit 1; }

if dpkg-query -W -f='${Status}' cambrivo 2>/dev/null | grep -q 'ok installed'; then
    fail "cambrivo is installed already; purge it first"
fi

step "build"
make package
version=$(sed -n '1s/^cambrivo (\([^)]*\)).*/\1/p' packaging/changelog)
deb=$PWD/build/cambrivo_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $deb"

step "lintian"
lintian --fail-on error "$deb"

tmp=$(mktemp -d)
installed=
cleanup() {
    local status=$?
    [ -n "${program:-}" ] && kill "$program" 2>/dev/null
    [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null
    wait 2>/dev/null
    [ -n "$installed" ] && $SUDO env DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq cambrivo
    rm -rf "$tmp"
    exit "$status"
}
trap cleanup EXIT

step "install"
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb"
installed=yes
dpkg-query -L cambrivo > "$tmp/files"
[ "$(readlink -f /usr/bin/cambrivo)" = /usr/libexec/cambrivo/cambrivo ] ||
    fail "/usr/bin/cambrivo does not lead to /usr/libexec/cambrivo/cambrivo"
case "$(readlink /usr/bin/cambrivo)" in /*) fail "/usr/bin/cambrivo is an absolute link" ;; esac
for size in 16x16 32x32 48x48 256x256; do
    [ -f "/usr/share/icons/hicolor/$size/apps/cambrivo.png" ] || fail "no $size icon"
done
[ -f /usr/share/icons/hicolor/scalable/apps/cambrivo.svg ] || fail "no scalable icon"

step "desktop-file-validate"
desktop-file-validate "$DESKTOP"
step "appstreamcli validate --no-net"
appstreamcli validate --no-net "$METAINFO"

step "start from the menu entry under Xvfb"
read -ra command <<< "$(sed -n 's/^Exec=//p' "$DESKTOP")"
wm_class=$(sed -n 's/^StartupWMClass=//p' "$DESKTOP")
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$tmp/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.1; done
[ -s "$tmp/display" ] || fail "Xvfb did not start"
DISPLAY=":$(cat "$tmp/display")"
export DISPLAY
mkdir -p "$tmp/home"
# The menu runs Exec through the user's PATH, which a desktop session always has /usr/bin in.
env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/home/.config" \
    XDG_RUNTIME_DIR="$tmp/home" PATH=/usr/bin:/bin "${command[@]}" > "$tmp/program.log" 2>&1 &
program=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$program" | head -n 1) ||
    { cat "$tmp/program.log" >&2; fail "no window appeared"; }
class=$(xprop -id "$window" WM_CLASS)
echo "$class"
[[ "$class" == *"\"$wm_class\""* ]] || fail "WM_CLASS does not match StartupWMClass=$wm_class"
kill "$program"
wait "$program" 2>/dev/null || true
program=

step "purge"
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq cambrivo
installed=
case "$(dpkg-query -W -f='${Status}' cambrivo 2>/dev/null || true)" in
    "" | *not-installed) ;;
    *) fail "cambrivo is not fully purged" ;;
esac
left=0
while IFS= read -r path; do
    [ "$path" = /. ] && continue
    if [ -d "$path" ] && [ ! -L "$path" ]; then
        # A folder may stay only when another package owns it as well.
        if ! dpkg-query -S "$path" > /dev/null 2>&1; then
            echo "left behind: $path/ holding:"; ls -A "$path"; left=1
        fi
    elif [ -e "$path" ] || [ -L "$path" ]; then
        echo "left behind: $path"; left=1
    fi
done < "$tmp/files"
[ "$left" -eq 0 ] || fail "the purge left files behind"
echo "check-package: all checks passed"
