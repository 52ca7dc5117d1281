#!/usr/bin/env bash
# Installs, builds and starts the controller.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
exec build/app/matrix-controller --broadcast 127.255.255.255 "$@"
