#!/usr/bin/env bash
# Builds the Debian package from the Release build (build/rel) and checks it
# in a throw-away root (dpkg -x): the file list, the declared dependencies,
# and zelvo-calc and zelvo --version run from there.
# Usage: scripts/package.sh [--validate]
#   --validate  also desktop-file-validate, appstreamcli validate and lintian
#               (installed by scripts/setup.sh --package)
# The package is build/rel/zelvo_<version>_<arch>.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
VALIDATE=0
if [ "${1:-}" = "--validate" ]; then VALIDATE=1; fi
if [ $VALIDATE = 1 ]; then bash scripts/setup.sh --package; else bash scripts/setup.sh; fi
bash scripts/build.sh --release
rm -f build/rel/zelvo_*.deb
(cd build/rel && cpack -G DEB >/dev/null)
DEB=$(ls build/rel/zelvo_*.deb)
echo "Package: $DEB"

ROOT=$(mktemp -d)
trap 'rm -rf "$ROOT"' EXIT
dpkg -x "$DEB" "$ROOT"
(cd "$ROOT" && find . -type f | sed 's|^\./|/|' | sort) >"$ROOT.list"
trap 'rm -rf "$ROOT" "$ROOT.list"' EXIT
if ! diff -u packaging/file-attesi.txt "$ROOT.list"; then
  echo "The package's file list differs from packaging/file-attesi.txt" >&2
  exit 1
fi
for f in usr/bin/zelvo usr/bin/zelvo-calc; do
  [ -x "$ROOT/$f" ] || { echo "$f is not executable" >&2; exit 1; }
done
DEPENDS=$(dpkg-deb -f "$DEB" Depends)
echo "Depends: $DEPENDS"
for d in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 liblapack3 qt6-translations-l10n fonts-liberation2; do
  case ", $DEPENDS" in
    *", $d "* | *", $d,"* | *", $d") ;;
    *) echo "Depends lacks $d" >&2; exit 1 ;;
  esac
done
# The installed programs run from the throw-away root.
"$ROOT/usr/bin/zelvo-calc" --version
env -u DISPLAY -u WAYLAND_DISPLAY "$ROOT/usr/bin/zelvo" --version
"$ROOT/usr/bin/zelvo-calc" "$ROOT/usr/share/zelvo/examples/appoggio-appoggio.zlv" >/dev/null
echo "File list and programs: OK"

if [ $VALIDATE = 1 ]; then
  desktop-file-validate "$ROOT/usr/share/applications/io.github.zelvo.Zelvo.desktop"
  echo "desktop-file-validate: OK"
  appstreamcli validate --no-net "$ROOT/usr/share/metainfo/io.github.zelvo.Zelvo.metainfo.xml"
  lintian --info "$DEB"
  echo "lintian: no errors"
fi
