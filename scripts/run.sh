#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds Lumetra and starts its window.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev --target lumetra
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
    echo "Lumetra needs a graphical desktop: no DISPLAY or WAYLAND_DISPLAY is set." >&2
    echo "Start it from a desktop session, or set QT_QPA_PLATFORM=offscreen to run without one." >&2
    exit 1
fi
exec ./build/dev/app/lumetra "$@"
