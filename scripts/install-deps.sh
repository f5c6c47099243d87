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

# Another installation (an update, a second checkout's install) holds the
# package manager's locks for a while: apt-get then fails at once. apt's own
# wait (DPkg::Lock::Timeout) covers dpkg's lock only, not the list lock of
# `apt-get update`, and waits without a word; so each call is retried while the
# failure is a held lock, for LOCK_WAIT seconds, saying once that it waits.
LOCK_WAIT=${VERTANO_APT_LOCK_WAIT:-600}
apt_get() {
    local log deadline=$((SECONDS + LOCK_WAIT)) told=no status locked
    log=$(mktemp)
    while true; do
        status=0
        $SUDO env LC_ALL=C DEBIAN_FRONTEND=noninteractive apt-get "$@" >"$log" 2>&1 || status=$?
        if [ "$status" -eq 0 ]; then
            rm -f "$log"
            return 0
        fi
        locked=no
        grep -qE 'Could not get lock|Unable to lock|Unable to acquire the dpkg frontend lock' "$log" &&
            locked=yes
        if [ "$locked" = no ] || [ "$SECONDS" -ge "$deadline" ]; then
            [ "$locked" = yes ] && echo "The package manager was still in use after $LOCK_WAIT s;" \
                "run the command again when the other installation has finished." >&2
            cat "$log" >&2
            rm -f "$log"
            return "$status"
        fi
        if [ "$told" = no ]; then
            echo "Another installation is using the package manager; waiting for it to finish" \
                "(at most $LOCK_WAIT s) ..."
            told=yes
        fi
        sleep 5
    done
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
    apt_get update -qq
    apt_get install -y -qq --no-install-recommends "${missing[@]}"
fi
ensure_locale
