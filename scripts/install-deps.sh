#!/usr/bin/env bash
# Installs the Debian 12 packages needed to build, run and test.
set -euo pipefail
packages=(cmake g++ make qt6-base-dev qt6-serialport-dev libgl-dev fonts-dejavu-core)
if [[ "${1:-}" == "--with-xvfb" ]]; then
    packages+=(xvfb xauth)
fi
as_root=()
if [[ "$(id -u)" != 0 ]]; then
    as_root=(sudo)
fi
"${as_root[@]}" apt-get update
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y --no-install-recommends "${packages[@]}"
