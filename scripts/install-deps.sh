#!/usr/bin/env bash
# Installs the Debian packages the build, tests and benchmarks need, only when one is missing.
# fonts-urw-base35 gives Nimbus Roman, the face that answers to "Times" in the report: its page
# breaks and columns are laid out with that face's metrics.
set -euo pipefail
packages=(cmake make g++ ninja-build pkg-config qt6-base-dev qt6-qpa-plugins qt6-serialport-dev qt6-charts-dev libqt6opengl6-dev libgtest-dev libgmock-dev
          clang-format poppler-utils dpkg-dev file lintian
          desktop-file-utils appstream
          fonts-urw-base35)
# Optional groups, installed only when named: `install-deps.sh fuzz` for scripts/fuzz-sdt.sh.
fuzz_packages=(clang-14 libclang-rt-14-dev)
for group in "$@"; do
    case "$group" in
        fuzz) packages+=("${fuzz_packages[@]}") ;;
        *) echo "install-deps.sh: unknown group '$group'" >&2; exit 2 ;;
    esac
done
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
