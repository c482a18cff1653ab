#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The configuration folder the tests are given as the user's real one.
#   real-config.sh seed <home>    fills <home> with a configuration and records its state
#   real-config.sh check <home>   fails when anything under <home> differs from the record
set -euo pipefail
mode=$1
home=$2
record="$home.record"

state() {
    (cd "$home" && find . -printf '%y %p\n' | LC_ALL=C sort &&
        find . -type f -print0 | LC_ALL=C sort -z | xargs -0 -r sha256sum)
}

case $mode in
    seed)
        rm -rf "$home" "$record"
        mkdir -p "$home/.config/Vandrel"
        printf '[FileDialog]\nhistory=@Invalid()\nlastVisited=file:///home/someone\n' \
            >"$home/.config/QtProject.conf"
        printf '[OfnList]\nOfnListLumet=/home/someone/Solar\n' >"$home/.config/Vandrel/Common.conf"
        state >"$record"
        ;;
    check)
        if ! diff -u "$record" <(state); then
            echo "the tests changed the configuration folder $home" >&2
            exit 1
        fi
        ;;
    *)
        echo "usage: $0 seed|check <home>" >&2
        exit 2
        ;;
esac
