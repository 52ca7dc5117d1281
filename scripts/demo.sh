#!/usr/bin/env bash
# Installs, builds, starts a simulated matrix and the controller ready to
# connect to it: over TCP to 127.0.0.1, or over the serial port build/matrix-tty.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
if [[ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]]; then
    echo "No display: run this under a desktop, or: scripts/install-deps.sh --with-xvfb && xvfb-run -a $0" >&2
    exit 2
fi
tty_link="$PWD/build/matrix-tty"
build/sim/matrix-sim --tcp 127.0.0.1:8000 --pty-link "$tty_link" </dev/null &
sim=$!
trap 'kill "$sim" 2>/dev/null; wait "$sim" 2>/dev/null || true' EXIT
for _ in $(seq 50); do [[ -e "$tty_link" ]] && break; sleep 0.1; done
echo "Simulated matrix: TCP 127.0.0.1:8000, serial port $tty_link"
build/app/matrix-controller --broadcast 127.255.255.255 --port "$tty_link" "$@"
