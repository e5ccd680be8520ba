#!/bin/sh
# Usage: tests/package/install-test.sh orvane_VERSION_ARCH.deb
#
# Installs the Debian package the way a user does, plays it, and purges it.
# Run as root on a Debian 12 machine where orvane is not installed; on a
# fresh minimal one (.ci/install-test makes the run there) it also proves
# the package declares everything it needs:
#  - apt-get install --no-install-recommends of the file brings in only the
#    package's declared dependencies;
#  - the desktop entry's program is on the PATH, its icon is in the hicolor
#    theme, the manual page is installed;
#  - started from /, the show finds the installed data set and plays a few
#    seconds headless on the stepped clock without a message; the still it
#    writes at 3 seconds is not black; every shared library the running
#    show has loaded belongs to a package that was installed with it;
#  - apt-get purge leaves nothing named orvane under /usr, /etc, /var or
#    /opt (every path of the package has orvane in it or in a folder above).
# Xvfb is the one thing added for the test (a test tool, not a dependency);
# it is installed only after the package and its dependencies, so it cannot
# supply a library the package fails to declare, and the library check above
# would name one that it did.
set -eu
if [ "$#" -ne 1 ] || [ ! -f "$1" ]; then
  echo "usage: $0 orvane_VERSION_ARCH.deb" >&2
  exit 2
fi
if [ "$(id -u)" -ne 0 ]; then
  echo "install-test: installs and purges a package, so it must run as root" >&2
  exit 2
fi
if dpkg-query -W -f='${Status}' orvane 2>/dev/null | grep -q 'installed$'; then
  echo "install-test: orvane is installed here already; purge it first" >&2
  exit 2
fi
export DEBIAN_FRONTEND=noninteractive
work="$(mktemp -d)"
chmod 755 "$work"
cp "$1" "$work/"
deb="$work/$(basename "$1")"
chmod 644 "$deb"
started="$(date +%s)"
xvfb=""
show=""
cleanup() {
  status=$?
  [ -z "$show" ] || kill "$show" 2>/dev/null || true
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
  if [ "$status" -ne 0 ] && dpkg-query -W -f='${Status}' orvane 2>/dev/null | grep -q installed; then
    apt-get purge -y orvane >/dev/null 2>&1 || true
  fi
  rm -rf "$work"
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
failures=0
fail() {
  echo "install-test: FAIL: $1" >&2
  failures=$((failures + 1))
}
step() {
  echo "== $1 ($(($(date +%s) - started)) s)"
}
named_orvane() {
  find /usr /etc /var /opt -xdev -name '*orvane*' 2>/dev/null | sort
}
installed_packages() {
  dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' | sed -n 's/^ii  *//p' | sort
}

step "before: $(installed_packages | wc -l) packages installed"
installed_packages >"$work/packages-before"
named_orvane >"$work/named-before"

step "apt-get install $(basename "$deb")"
apt-get update -qq
apt-get install -y --no-install-recommends "$deb"
installed_packages >"$work/packages-with-orvane"
comm -13 "$work/packages-before" "$work/packages-with-orvane" >"$work/added"
echo "apt-get added $(wc -l <"$work/added") packages: $(tr '\n' ' ' <"$work/added")"

step "installed files"
[ "$(command -v orvane)" = /usr/bin/orvane ] || fail "orvane is not /usr/bin/orvane on the PATH"
version="$(dpkg-query -W -f='${Version}' orvane)"
[ "$(orvane --version)" = "orvane $version" ] || fail "orvane --version says '$(orvane --version)', the package is $version"
entry=/usr/share/applications/orvane.desktop
if [ -f "$entry" ]; then
  program="$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")"
  icon="$(sed -n 's/^Icon=//p' "$entry")"
  command -v "$program" >/dev/null || fail "the desktop entry starts '$program', which is not on the PATH"
  sizes="$(ls /usr/share/icons/hicolor/*/apps/"$icon".png 2>/dev/null | sed 's|.*/hicolor/\([^/]*\)/.*|\1|' | tr '\n' ' ')"
  case " $sizes" in
    *" 48x48 "*) echo "menu entry: Exec=$program, Icon=$icon in hicolor $sizes" ;;
    *) fail "the desktop entry's icon '$icon' has no 48x48 picture in the hicolor theme (has: $sizes)" ;;
  esac
else
  fail "no desktop entry $entry"
fi
zcat /usr/share/man/man6/orvane.6.gz 2>/dev/null | grep -q '^\.SH KEYS' || fail "no manual page orvane(6) with its keys"

step "apt-get install xvfb (for the test only)"
apt-get install -y --no-install-recommends xvfb
installed_packages >"$work/packages-with-xvfb"
comm -13 "$work/packages-with-orvane" "$work/packages-with-xvfb" >"$work/added-for-test"

step "play from / for 3 seconds of show time"
shots="$work/shots"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
waited=0
until [ -s "$work/display" ] || [ "$waited" -ge 30 ]; do sleep 1; waited=$((waited + 1)); done
[ -s "$work/display" ] || { cat "$work/xvfb.log" >&2; fail "Xvfb did not start"; exit 1; }
cd /
DISPLAY=":$(cat "$work/display")" SDL_AUDIODRIVER=dummy ORVANE_HEADLESS=1 XDG_CACHE_HOME="$work/cache" \
  orvane --play --windowed --fixed-fps 30 --frames-at 3 --frames-dir "$shots" 2>"$work/messages" &
show=$!
still="$shots/frame_0003.000.png"
waited=0
until [ -s "$still" ] || [ "$waited" -ge 180 ] || ! kill -0 "$show" 2>/dev/null; do sleep 1; waited=$((waited + 1)); done
# A moment more, so the still is complete and the show is well past it.
sleep 2
cat "/proc/$show/maps" >"$work/maps" 2>/dev/null || true
folder="$(readlink "/proc/$show/cwd" 2>/dev/null || true)"
kill -INT "$show" 2>/dev/null || true
played=0
wait "$show" || played=$?
show=""
kill "$xvfb" 2>/dev/null || true
wait "$xvfb" 2>/dev/null || true
xvfb=""
cat "$work/messages" >&2
[ "$played" -eq 0 ] || fail "the show ended with exit status $played"
# Any message means a file of the data set or the soundtrack failed.
[ ! -s "$work/messages" ] || fail "the show printed messages"
[ "$folder" = /usr/share/orvane ] || fail "the show ran in '$folder', not beside the installed data set"
if [ -s "$still" ]; then
  # 8-bit RGB PNG of the window's size; "not black" is at least 1% of its
  # pixel bytes not zero (a black frame has none; headers are a few hundred).
  width="$(od -An -tu1 -j16 -N4 "$still" | awk '{print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4}')"
  height="$(od -An -tu1 -j20 -N4 "$still" | awk '{print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4}')"
  lit="$(tr -d '\000' <"$still" | wc -c)"
  echo "still: ${width}x${height}, $(wc -c <"$still") bytes, $lit of them not zero"
  [ "$width" -eq 800 ] && [ "$height" -eq 600 ] || fail "the still is ${width}x${height}, not 800x600"
  [ "$lit" -ge $((width * height * 3 / 100)) ] || fail "the still at 3 seconds is black"
else
  fail "no still at 3 seconds ($still)"
fi

step "shared libraries of the running show"
awk '$6 ~ /\.so/ { print $6 }' "$work/maps" | sort -u >"$work/libraries"
[ -s "$work/libraries" ] || fail "no shared library seen in the show's memory map"
# One look-up for all: Debian 12 still registers most libraries under /lib,
# which the show reaches through /usr/lib, so both names are asked.
sed 'p; s|^/usr/|/|' "$work/libraries" | xargs dpkg -S 2>/dev/null |
  sed -n '/^diversion by /d; s/^\([^:,]*\)[^/]* \(\/.*\)$/\2 \1/p' >"$work/owned" || true
: >"$work/owners"
while read -r library; do
  owner="$(awk -v a="$library" -v b="${library#/usr}" '$1 == a || $1 == b { print $2; exit }' "$work/owned")"
  if [ -z "$owner" ]; then
    fail "$library, loaded by the show, belongs to no package"
  elif grep -qx "$owner" "$work/added-for-test"; then
    echo "$owner (${library##*/})" >>"$work/undeclared"
  fi
  echo "$owner" >>"$work/owners"
done <"$work/libraries"
echo "$(wc -l <"$work/libraries") libraries from $(sort -u "$work/owners" | wc -l) packages"
if [ -s "$work/undeclared" ]; then
  fail "the show loaded libraries that only the test's xvfb brought in; the package must depend on them: $(sort "$work/undeclared" | tr '\n' ' ')"
fi

step "apt-get purge orvane"
apt-get purge -y orvane
case "$(dpkg-query -W -f='${db:Status-Abbrev}' orvane 2>/dev/null || true)" in
  "" | un*) ;;
  *) fail "dpkg still has orvane after the purge: $(dpkg-query -W -f='${Status}' orvane)" ;;
esac
named_orvane >"$work/named-after"
left="$(comm -13 "$work/named-before" "$work/named-after")"
[ -z "$left" ] || fail "left after the purge: $left"

if [ "$failures" -ne 0 ]; then
  step "$failures checks failed"
  exit 1
fi
step "the package installed, played and purged cleanly"
