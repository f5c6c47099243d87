#!/usr/bin/env bash
# Installs what the build and the tests need when it is missing. Idempotent and
# quiet when everything is already there; works as root or through sudo.
set -euo pipefail

packages=(
    g++ make cmake ninja-build pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev locales
    # Sparse normal equations: Eigen (header-only) with METIS orderings.
    libeigen3-dev libmetis-dev
    # The XML network format of the data exchange: expat, a streaming parser.
    libexpat1-dev
    # The desktop program and the off-screen drawing (QtGui works without a
    # display through the offscreen platform).
    qt6-base-dev fonts-dejavu-core
    # The DXF test reads our drawings with a real DXF reader (run with Debian's
    # own /usr/bin/python3).
    python3-ezdxf
)
# `make fuzz` (argument "fuzz") builds with clang and its libFuzzer and sanitizer
# runtimes; nothing else needs them.
if [ "${1:-}" = fuzz ]; then
    packages+=(clang libclang-rt-dev)
fi
# `make package` (argument "package"): CPack finds the package's dependencies
# with dpkg-shlibdeps.
if [ "${1:-}" = package ]; then
    packages+=(dpkg-dev)
fi

if [ "$(id -u)" -eq 0 ]; then
    SUDO=""
elif command -v sudo >/dev/null 2>&1; then
    SUDO="sudo"
else
    SUDO="none"
fi

# The tests prove that numbers keep "." as decimal separator under a locale that
# uses a comma; Czech is the one our users run.
ensure_locale() {
    locale -a 2>/dev/null | grep -qix 'cs_CZ.utf8' && return 0
    [ "$SUDO" = none ] && { echo "Cannot generate the cs_CZ.UTF-8 locale without root or sudo." >&2; return 1; }
    $SUDO localedef -i cs_CZ -f UTF-8 cs_CZ.UTF-8
}

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing missing packages: ${missing[*]}"
    if [ "$SUDO" = none ]; then
        echo "Missing packages (${missing[*]}) and neither root nor sudo is available." >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update -qq
    $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
ensure_locale
