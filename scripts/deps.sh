#!/usr/bin/env bash
# Installs the Debian packages that building, testing, running or packaging
# needs, when any of them is missing. Usage: scripts/deps.sh [build|test|run|package]
set -euo pipefail

build=(cmake make g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev libjpeg-dev
       qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-translations-l10n fonts-liberation fonts-dejavu-core)
test_extra=(clang libclang-rt-14-dev xvfb xauth x11-apps imagemagick time openbox xdotool
            desktop-file-utils appstream dpkg-dev file)
run_extra=()
package_extra=(dpkg-dev file)

case "${1:-build}" in
  build) wanted=("${build[@]}") ;;
  test) wanted=("${build[@]}" "${test_extra[@]}") ;;
  run) wanted=("${build[@]}" ${run_extra[@]+"${run_extra[@]}"}) ;;
  package) wanted=("${build[@]}" "${package_extra[@]}") ;;
  *) echo "usage: $0 [build|test|run|package]" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
echo "Installing: ${missing[*]}"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
