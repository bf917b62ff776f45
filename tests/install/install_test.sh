#!/usr/bin/env bash
# Installs the built program into a temporary prefix, as a packager would,
# and checks what a desktop needs of it: the files in their places, a desktop
# entry and AppStream metadata that the validators accept, and programs that
# answer --version. Usage: install_test.sh BUILD-DIR VERSION
set -euo pipefail
build="$1"
version="$2"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

id=org.example.solvar
for file in bin/solvar bin/solvar-engine \
            share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
            share/icons/hicolor/scalable/apps/$id.svg \
            share/icons/hicolor/48x48/apps/$id.png share/icons/hicolor/256x256/apps/$id.png \
            share/man/man6/solvar.6.gz share/man/man6/solvar-engine.6.gz share/doc/solvar/copyright; do
  [ -f "$prefix/$file" ] || { echo "not installed: $file"; exit 1; }
done
[ -x "$prefix/bin/solvar" ] && [ -x "$prefix/bin/solvar-engine" ] || { echo "programs not executable"; exit 1; }

desktop-file-validate "$prefix/share/applications/$id.desktop"
# A saved game opens from the file manager: the entry takes a file and names
# the SGF type that shared-mime-info defines for *.sgf.
grep -qx 'Exec=solvar %f' "$prefix/share/applications/$id.desktop" || { echo "the desktop entry takes no file"; exit 1; }
grep -qx 'MimeType=application/x-go-sgf;' "$prefix/share/applications/$id.desktop" ||
  { echo "the desktop entry declares no SGF type"; exit 1; }
grep -q '<mediatype>application/x-go-sgf</mediatype>' "$prefix/share/metainfo/$id.metainfo.xml" ||
  { echo "the metainfo does not provide the SGF type"; exit 1; }
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >/dev/null
grep -q "<release version=\"$version\"" "$prefix/share/metainfo/$id.metainfo.xml" ||
  { echo "metainfo does not name release $version"; exit 1; }
zcat "$prefix/share/man/man6/solvar.6.gz" | grep -q "$version" || { echo "manual without the version"; exit 1; }

# No display is needed to ask for the version or the usage; an unknown
# option is refused with exit code 2.
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/solvar" --version)" = "Сольвар $version" ] ||
  { echo "solvar --version: $("$prefix/bin/solvar" --version)"; exit 1; }
# (Answers are read whole before they are searched: with pipefail, a grep -q
# that stops early would fail the pipeline by the writer's broken pipe.)
usage="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/solvar" --help)"
grep -q 'FILE.sgf' <<<"$usage" || { echo "solvar --help without a display"; exit 1; }
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/solvar" --no-such-option 2>/dev/null || status=$?
[ "$status" -eq 2 ] || { echo "an unknown option gave exit code $status"; exit 1; }
[ "$("$prefix/bin/solvar-engine" --version)" = "solvar-engine $version" ] || { echo "solvar-engine --version"; exit 1; }
answers="$(printf 'boardsize 15 15\ncount\nquit\n' | "$prefix/bin/solvar-engine")"
grep -q '^= 0 0 196$' <<<"$answers" ||
  { echo "the installed engine driver does not answer"; exit 1; }
echo "installed and valid"
