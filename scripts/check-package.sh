#!/usr/bin/env bash
# Builds the Linux package from build/release (cpack -G DEB), installs it with apt, checks the
# installed desktop entry and AppStream metainfo, runs the installed batch tool on the default
# inputs against the build's own and removes the package again. A package left installed by an
# earlier, interrupted run is removed first; a failing check removes it too.
# Needs a release build with the window (build/release) and the DEB_PACKAGES of packages.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
fail() { echo "package: $*" >&2; exit 1; }
# Runs a command with its output kept back, shown only when it fails.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
quietly() { "$@" >"$log" 2>&1 || { cat "$log" >&2; fail "failed: $*"; }; }

remove_package() {
  if dpkg-query -W -f='${Status}' verrask 2>/dev/null | grep -q "install ok installed"; then
    quietly $sudo apt-get remove -y verrask
  fi
}
remove_package

[ -x build/release/app/verrask ] || fail "build/release has no window (verrask): build it first"
rm -f build/release/verrask_*.deb
(cd build/release && quietly cpack -G DEB)
deb=$(ls build/release/verrask_*.deb)
echo "$deb: $(du -k "$deb" | cut -f1) kB"

trap 'remove_package; rm -f "$log"' EXIT
quietly $sudo apt-get install -y "./$deb"

for file in /usr/bin/verrask /usr/bin/verrask-cli /usr/share/doc/verrask/copyright \
  /usr/share/doc/verrask/README.md /usr/share/icons/hicolor/{32x32,48x48,64x64}/apps/verrask.png; do
  [ -f "$file" ] || fail "$file is not installed"
done
missing=$(ldd /usr/bin/verrask /usr/bin/verrask-cli | grep "not found" || true)
[ -z "$missing" ] || fail "libraries the dependencies do not bring: $missing"

desktop-file-validate /usr/share/applications/verrask.desktop || fail "desktop entry refused"
metainfo=/usr/share/metainfo/org.verrask.Verrask.metainfo.xml
appstreamcli validate --no-net --strict "$metainfo" >/dev/null ||
  { appstreamcli validate --no-net --strict "$metainfo"; fail "metainfo refused"; }
# Releases are listed newest first: the first is the one packaged.
version=$(dpkg-query -W -f='${Version}' verrask)
newest=$(grep -m1 -o '<release version="[^"]*"' "$metainfo" | cut -d'"' -f2)
[ "$newest" = "$version" ] ||
  fail "the metainfo's newest release is \"$newest\", the package's version $version"

# The installed batch tool gives the build's run text (only the measured time differs).
untimed() { sed -E 's/elapsed: [0-9.]+ s/elapsed: _ s/'; }
installed=$(cd /tmp && /usr/bin/verrask-cli | untimed) || fail "the installed verrask-cli failed"
built=$(build/release/verrask-cli | untimed)
grep -q "^Shape Factor (nf/nd) = " <<<"$installed" ||
  fail "the installed verrask-cli printed: $installed"
[ "$installed" = "$built" ] || fail "installed and built verrask-cli differ: $installed"

quietly $sudo apt-get remove -y verrask
[ ! -e /usr/bin/verrask-cli ] || fail "apt-get remove left /usr/bin/verrask-cli"
echo "package: installs, validates, runs the defaults and removes"
