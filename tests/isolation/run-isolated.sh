#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a test program with a home and XDG folders of its own, created empty and removed
# afterwards, so that no test reads or writes the configuration of the user running the tests
# (Qt's file dialog keeps its recent places in $XDG_CONFIG_HOME/QtProject.conf, the program its
# settings under the organisation's folder).
home=$(mktemp -d "${TMPDIR:-/tmp}/lumetra-test-home.XXXXXX") || exit 1
trap 'rm -rf "$home"' EXIT
export HOME="$home"
export XDG_CONFIG_HOME="$home/.config"
export XDG_DATA_HOME="$home/.local/share"
export XDG_CACHE_HOME="$home/.cache"
export XDG_STATE_HOME="$home/.local/state"
export XDG_RUNTIME_DIR="$home/runtime"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
"$@"
