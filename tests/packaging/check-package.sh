#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks of the installation and the Debian package, one case per call:
#   check-package.sh <case> <build dir> <source dir> <scratch dir>
# Exit 0: passed, 1: failed, 77: skipped because a tool is missing (the message says which).
set -uo pipefail

case_name=$1
build_dir=$2
source_dir=$3
scratch=$4

fail() {
    echo "FAILED: $*" >&2
    exit 1
}
skip() {
    echo "SKIPPED: $*" >&2
    exit 77
}
need() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed (scripts/install-deps.sh installs it)"
    done
}

# Files every installation holds, relative to the prefix, and the targets they need.
installed_files=(
    "lumetra-cli bin/lumetra-cli"
    "lumetra-cli share/man/man1/lumetra-cli.1.gz"
    "lumetra bin/lumetra"
    "lumetra lib/lumetra/lumetra-evaluation.so"
    "lumetra share/man/man1/lumetra.1.gz"
    "lumetra share/applications/org.lumetra.Lumetra.desktop"
    "lumetra share/metainfo/org.lumetra.Lumetra.metainfo.xml"
    "any share/lumetra/SolarDatabase.csv"
    "any share/lumetra/SOURCES.md"
    "any share/doc/lumetra/copyright"
    "any share/lumetra/MonthlyIrradiation.csv"
    "any share/lumetra/MonthlyTemperature.csv"
    "any share/lumetra/LoadProfileH25.csv"
    "any share/lumetra/household/Appliances.csv"
    "any share/lumetra/household/tpm5_we.csv"
)
# Qt 6 runtime packages the .deb must depend on.
qt_packages=(libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins qt6-translations-l10n)

built() {  # whether the build tree holds the program
    [[ $1 == any || -x "$build_dir/$(program_path "$1")" ]]
}
program_path() {
    case $1 in
        lumetra) echo app/lumetra ;;
        lumetra-cli) echo cli/lumetra-cli ;;
    esac
}

# Counts the quantities of lumetra-cli's JSON on stdin and checks each has a finite value.
count_quantities() {
    if command -v python3 >/dev/null 2>&1; then
        python3 -c '
import json, math, sys
state = json.load(sys.stdin)
quantities = state["quantities"]
ids = {q["id"] for q in quantities}
bad = [q["id"] for q in quantities if not isinstance(q["value"], (int, float)) or not math.isfinite(q["value"])]
if bad or len(ids) != len(quantities) or [q["index"] for q in quantities] != list(range(len(quantities))):
    sys.exit("quantities out of order, repeated or not finite: %s" % bad)
print(len(quantities))'
    elif command -v jq >/dev/null 2>&1; then
        jq '.quantities | length'
    fi
}

# Runs a window program for a moment on the offscreen platform: a program that is still running
# after the pause has started (it runs until its dialog is closed); one that ends earlier failed.
window_starts() {
    local program=$1
    need timeout
    (cd "$scratch" && QT_QPA_PLATFORM=offscreen timeout 5 "$program" >"$scratch/window.log" 2>&1)
    local status=$?
    if [[ $status -ne 124 ]]; then
        cat "$scratch/window.log" >&2
        fail "$program ended with status $status instead of showing its window"
    fi
}

stage_install() {
    need cmake
    rm -rf "$scratch/prefix"
    cmake --install "$build_dir" --prefix "$scratch/prefix" >"$scratch/install.log" 2>&1 ||
        { cat "$scratch/install.log" >&2; fail "cmake --install failed"; }
}

need_deb_tools() {
    need cpack dpkg-deb dpkg-shlibdeps
}

deb_file() {
    local debs=("$build_dir/packaging-deb/"*.deb)
    [[ -f ${debs[0]} ]] || fail "no .deb in $build_dir/packaging-deb (run the case build-deb first)"
    echo "${debs[0]}"
}

rm -rf "$scratch"
mkdir -p "$scratch"

case $case_name in
    desktop-entry-valid)
        need desktop-file-validate
        # Errors and warnings fail; hints are suggestions.
        out=$(desktop-file-validate --no-hints "$source_dir/packaging/org.lumetra.Lumetra.desktop" 2>&1)
        [[ -z $out ]] || fail "desktop-file-validate: $out"
        ;;

    metainfo-valid)
        need appstreamcli
        appstreamcli validate --no-net "$source_dir/packaging/org.lumetra.Lumetra.metainfo.xml" ||
            fail "appstreamcli rejects the metainfo file"
        ;;

    copyright-machine-readable)
        # Debian's copyright format 1.0: the format line, every Files paragraph with its
        # Copyright and License, and a stand-alone text for every licence named there.
        file="$source_dir/packaging/copyright"
        head -n 1 "$file" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
            fail "copyright: no format line"
        problems=$(awk '
            /^$/ { check(); files = copyright = license = ""; next }
            /^Files:/ { files = 1 }
            /^Copyright:/ { copyright = 1 }
            /^License:/ { name = $2; if (NF > 2 || files) license = name; if (!files) defined[name] = 1 }
            function check() {
                if (files && (!copyright || license == "")) print "a Files paragraph lacks Copyright or License"
                if (files) used[license] = 1
            }
            END { check(); for (l in used) if (!(l in defined)) print "no text for licence " l }
        ' "$file")
        [[ -z $problems ]] || fail "copyright: $problems"
        grep -q '^License: GPL-3+$' "$file" || fail "copyright: the program is not under GPL-3+"
        ;;

    manpages-render)
        need man
        for page in "$source_dir"/packaging/*.1; do
            warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
            [[ -z $warnings ]] || fail "$(basename "$page"): $warnings"
        done
        ;;

    manpage-lists-every-option)
        cli="$build_dir/cli/lumetra-cli"
        [[ -x $cli ]] || skip "lumetra-cli is not built"
        page="$source_dir/packaging/lumetra-cli.1"
        help_options=$("$cli" --help | grep -o -- '--[a-z][a-z-]*' | sort -u)
        page_options=$(sed -e '/^\.\\"/d' -e 's/\\-/-/g' "$page" | grep -o -- '--[a-z][a-z-]*' | sort -u)
        [[ -n $help_options ]] || fail "lumetra-cli --help names no option"
        missing=$(comm -23 <(echo "$help_options") <(echo "$page_options"))
        unknown=$(comm -13 <(echo "$help_options") <(echo "$page_options"))
        [[ -z $missing ]] || fail "options of --help missing in the manual page: $missing"
        [[ -z $unknown ]] || fail "the manual page names options lumetra-cli does not know: $unknown"
        ;;

    install-layout)
        stage_install
        for entry in "${installed_files[@]}"; do
            read -r target file <<<"$entry"
            built "$target" || continue
            [[ -f "$scratch/prefix/$file" ]] || fail "not installed: $file"
        done
        # The window looks for the database beside its program in ../share/lumetra.
        if built lumetra; then
            [[ -f "$scratch/prefix/bin/../share/lumetra/SolarDatabase.csv" ]] ||
                fail "SolarDatabase.csv is not in <bin>/../share/lumetra"
            desktop="$scratch/prefix/share/applications/org.lumetra.Lumetra.desktop"
            exec_program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
            icon=$(sed -n 's/^Icon=//p' "$desktop")
            [[ -x "$scratch/prefix/bin/$exec_program" ]] ||
                fail "the desktop entry starts '$exec_program', which is not in bin/"
            icons=("$scratch/prefix/share/icons/hicolor/"*/apps/"$icon".*)
            [[ -f ${icons[0]} ]] || fail "no icon '$icon' in the hicolor theme"
            for size in 16x16 32x32 48x48; do
                [[ -f "$scratch/prefix/share/icons/hicolor/$size/apps/$icon.png" ]] ||
                    fail "no $size icon '$icon'"
            done
        fi
        ;;

    installed-tree-valid)
        # The metainfo file beside what it points to: the desktop entry, its icon, the programs.
        built lumetra || skip "the window is not built"
        need appstreamcli
        stage_install
        mkdir -p "$scratch/root"
        mv "$scratch/prefix" "$scratch/root/usr"
        appstreamcli validate-tree --no-net "$scratch/root" ||
            fail "appstreamcli rejects the installed tree"
        ;;

    installed-plugin-fits-the-window)
        # The Auswertung plugin takes the core from the window: every symbol of the core it
        # needs is exported by the installed window.
        built lumetra || skip "the window is not built"
        need nm
        stage_install
        plugin="$scratch/prefix/lib/lumetra/lumetra-evaluation.so"
        [[ -f $plugin ]] || fail "not installed: lib/lumetra/lumetra-evaluation.so"
        needed=$(nm -D --undefined-only "$plugin" | awk '$2 ~ /^_Z.*7lumetra/ { print $2 }' | sort -u)
        [[ -n $needed ]] || fail "the plugin uses nothing of the window's core: does it carry a copy?"
        offered=$(nm -D --defined-only "$scratch/prefix/bin/lumetra" | awk '{ print $3 }' | sort -u)
        missing=$(comm -23 <(echo "$needed") <(echo "$offered"))
        [[ -z $missing ]] || fail "the window does not export what the plugin needs: $missing"
        ;;

    installed-window-starts)
        built lumetra || skip "the window is not built"
        stage_install
        desktop="$scratch/prefix/share/applications/org.lumetra.Lumetra.desktop"
        exec_program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
        window_starts "$scratch/prefix/bin/$exec_program"
        ;;

    build-deb)
        need_deb_tools
        rm -rf "$build_dir/packaging-deb"
        cpack --config "$build_dir/CPackConfig.cmake" -B "$build_dir/packaging-deb" \
            >"$scratch/cpack.log" 2>&1 || { cat "$scratch/cpack.log" >&2; fail "cpack failed"; }
        deb_file >/dev/null
        ;;

    deb-runs-in-scratch-root)
        need_deb_tools  # skipped for the same reason as the package build
        command -v python3 >/dev/null 2>&1 || command -v jq >/dev/null 2>&1 ||
            skip "neither python3 nor jq is installed to read JSON"
        deb=$(deb_file) || exit 1
        dpkg-deb -x "$deb" "$scratch/root" || fail "dpkg-deb -x $deb"
        cli="$scratch/root/usr/bin/lumetra-cli"
        [[ -x $cli ]] || fail "the package holds no usr/bin/lumetra-cli"
        (cd "$scratch" && "$cli" --json >"$scratch/state.json" 2>"$scratch/cli.log") ||
            { cat "$scratch/cli.log" >&2; fail "lumetra-cli --json from the package failed"; }
        count=$(count_quantities <"$scratch/state.json") || fail "lumetra-cli printed no valid state"
        [[ $count == 42 ]] || fail "lumetra-cli printed $count quantities instead of 42"
        # The shipped database is usable from its installed folder.
        (cd "$scratch/root/usr/share/lumetra" && "$cli" --location Berlin --json >/dev/null) ||
            fail "lumetra-cli cannot choose a place from the packaged database"
        # ... and found beside the program from any other folder, as the window finds it.
        (cd "$scratch" && "$cli" --location Berlin --json >/dev/null) ||
            fail "lumetra-cli does not find the installed database from another folder"
        # The report, drawn by the Auswertung's code linked into lumetra-cli where the window
        # is built.
        if [[ -x "$scratch/root/usr/bin/lumetra" ]]; then
            (cd "$scratch" && "$cli" --report "$scratch/report.pdf" 2>"$scratch/report.log") ||
                { cat "$scratch/report.log" >&2; fail "lumetra-cli --report from the package failed"; }
            [[ $(head -c 5 "$scratch/report.pdf") == "%PDF-" ]] ||
                fail "lumetra-cli --report from the package wrote no PDF"
        fi
        if [[ -x "$scratch/root/usr/bin/lumetra" ]]; then
            window_starts "$scratch/root/usr/bin/lumetra"
        fi
        ;;

    deb-depends-on-qt6)
        need_deb_tools  # skipped for the same reason as the package build
        deb=$(deb_file) || exit 1
        depends=$(dpkg-deb -f "$deb" Depends)
        for package in "${qt_packages[@]}"; do
            grep -Eq "(^|, )$package( |,|$)" <<<"$depends" ||
                fail "Depends does not name $package: $depends"
        done
        ;;

    deb-contents)
        need_deb_tools  # skipped for the same reason as the package build
        deb=$(deb_file) || exit 1
        contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
        for entry in "${installed_files[@]}"; do
            read -r target file <<<"$entry"
            built "$target" || continue
            grep -qx "\./usr/$file" <<<"$contents" || fail "the package lacks /usr/$file"
        done
        # Nothing of the build tree (tests, benchmarks, tools) may reach the package.
        strays=$(grep -E '^\./usr/bin/.' <<<"$contents" | grep -vxE '\./usr/bin/(lumetra|lumetra-cli)')
        [[ -z $strays ]] || fail "unexpected programs in the package: $strays"
        ;;

    *)
        fail "unknown case $case_name"
        ;;
esac
echo "passed: $case_name"
