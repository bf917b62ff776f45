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
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >/dev/null
grep -q "<release version=\"$version\"" "$prefix/share/metainfo/$id.metainfo.xml" ||
  { echo "metainfo does not name release $version"; exit 1; }
zcat "$prefix/share/man/man6/solvar.6.gz" | grep -q "$version" || { echo "manual without the version"; exit 1; }

# No display is needed to ask for the version.
[ "$(env -u DISPLAY QT_QPA_PLATFORM= "$prefix/bin/solvar" --version)" = "Сольвар $version" ] ||
  { echo "solvar --version: $("$prefix/bin/solvar" --version)"; exit 1; }
[ "$("$prefix/bin/solvar-engine" --version)" = "solvar-engine $version" ] || { echo "solvar-engine --version"; exit 1; }
printf 'boardsize 15 15\ncount\nquit\n' | "$prefix/bin/solvar-engine" | grep -q '^= 0 0 196$' ||
  { echo "the installed engine driver does not answer"; exit 1; }
echo "installed and valid"
