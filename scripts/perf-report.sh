#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the release preset and runs every benchmark of the project, then prints one table:
# figure | measured | target | verdict. Times are medians of repeated runs (real time); the
# spread between repetitions (cv) shows how noisy the machine was. Peak resident memory of the
# window and of a bare dialog is measured in processes of their own.
#
#   LUMETRA_BENCH_MIN_TIME     seconds per repetition of a benchmark (default 0.1)
#   LUMETRA_BENCH_REPETITIONS  repetitions whose median is reported (default 5)
#   LUMETRA_JOBS               build jobs (default: the number of processors)
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v python3 >/dev/null 2>&1; then
    echo "perf-report.sh needs python3 to read the benchmarks' JSON: apt-get install python3" >&2
    exit 1
fi

./scripts/install-deps.sh
jobs=${LUMETRA_JOBS:-$(nproc)}
echo "Building the release preset ..." >&2
cmake --preset release >/dev/null
build_log=$(mktemp)
if ! cmake --build --preset release -j "$jobs" >"$build_log" 2>&1; then
    grep -A12 FAILED "$build_log" >&2 || tail -30 "$build_log" >&2
    echo "The release build failed; no figures were measured." >&2
    exit 1
fi
rm -f "$build_log"

# A desktop-sized screen, as the tests have: on the offscreen platform's own 800 x 600 the main
# dialog would be put into a scroll area, which a desktop never needs.
export QT_QPA_PLATFORM="offscreen:configfile=$PWD/tests/offscreen-desktop.json"
exec python3 - build/release "${LUMETRA_BENCH_MIN_TIME:-0.1}" \
    "${LUMETRA_BENCH_REPETITIONS:-5}" <<'PYTHON'
import glob
import json
import os
import re
import statistics
import subprocess
import threading
import sys
import tempfile
import time

build, min_time, repetitions = sys.argv[1], sys.argv[2], int(sys.argv[3])
scratch = tempfile.mkdtemp(prefix="lumetra-perf-")
to_ns = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}
# Seconds a start-up or exit probe may take before it counts as hung.
PROBE_PATIENCE_S = 60


def programs():
    found = sorted(glob.glob(os.path.join(build, "bench", "bench_*")))
    found += sorted(glob.glob(os.path.join(build, "bench", "gui", "bench_gui_*")))
    return [p for p in found if os.path.isfile(p) and os.access(p, os.X_OK)]


def run(program, bench_filter=None, reps=None, min_seconds=None):
    """Runs a benchmark program; returns (results by name, peak resident kB of the process)."""
    reps = repetitions if reps is None else reps
    out = os.path.join(scratch, "out.json")
    if os.path.exists(out):
        os.remove(out)
    args = [program, "--benchmark_out=" + out, "--benchmark_out_format=json",
            "--benchmark_min_time=" + str(min_time if min_seconds is None else min_seconds),
            "--benchmark_repetitions=" + str(reps)]
    if reps > 1:
        args.append("--benchmark_report_aggregates_only=true")
    if bench_filter:
        args.append("--benchmark_filter=" + bench_filter)
    with open(os.path.join(scratch, "stderr.txt"), "w+") as err:
        child = subprocess.Popen(args, stdout=subprocess.DEVNULL, stderr=err)
        _, status, usage = os.wait4(child.pid, 0)
        child.returncode = os.waitstatus_to_exitcode(status)
        if child.returncode != 0:
            err.seek(0)
            sys.stderr.write(err.read()[-2000:])
            sys.stderr.write("%s ended with %d\n" % (os.path.basename(program), child.returncode))
    results = {}
    report = {}
    if os.path.exists(out) and os.path.getsize(out) > 0:  # empty when the filter matched nothing
        with open(out) as f:
            report = json.load(f)
    for entry in report.get("benchmarks", []):
        name = entry.get("run_name", entry["name"])
        record = results.setdefault(name, {"counters": {}, "label": ""})
        if entry.get("error_occurred"):
            record["error"] = entry.get("error_message", "error")
            continue
        kind = entry.get("aggregate_name", "single")
        value = entry["real_time"] * to_ns[entry["time_unit"]]
        if kind == "cv":
            record["cv"] = entry["real_time"]  # a fraction, not a time
        elif kind in ("median", "single"):
            record["ns"] = value
            record["label"] = entry.get("label", "")
            for key, counter in entry.items():
                if key not in KNOWN_KEYS and isinstance(counter, (int, float)):
                    record["counters"][key] = counter
    return results, usage.ru_maxrss


KNOWN_KEYS = {"family_index", "error_occurred", "per_family_instance_index", "repetitions",
              "repetition_index", "threads", "iterations", "real_time", "cpu_time", "time_unit"}


def list_benchmarks(program):
    listing = subprocess.run([program, "--benchmark_list_tests=true"], capture_output=True,
                             text=True).stdout
    return [line.strip() for line in listing.splitlines() if line.strip()]


def show_time(ns):
    for unit, scale in (("s", 1e9), ("ms", 1e6), ("µs", 1e3)):
        if ns >= scale:
            return "%.3g %s" % (ns / scale, unit)
    return "%.3g ns" % ns


def describe(record):
    if "error" in record:
        return "error: " + record["error"]
    if "ns" not in record:
        return "not measured"
    text = show_time(record["ns"])
    if "cv" in record:
        text += " (cv %.0f%%)" % (100 * record["cv"])
    extras = ["%s %.6g" % (k, v) for k, v in sorted(record["counters"].items())]
    if record.get("label"):
        extras.insert(0, record["label"])
    return text + ("; " + ", ".join(extras) if extras else "")


# Every benchmark, each program once; the data-file program one case per process, because its
# peak-memory counter covers the whole process.
figures = {}
for program in programs():
    short = os.path.basename(program)
    sys.stderr.write("running %s ...\n" % short)
    if short == "bench_datafile":
        for name in list_benchmarks(program):
            results, _ = run(program, "^%s$" % name, reps=1)
            figures.update({(short, k): v for k, v in results.items()})
    else:
        results, _ = run(program)
        figures.update({(short, k): v for k, v in results.items()})

# Resident memory: one window and one bare dialog (a single iteration) each in a process of its
# own, beside a process that only creates the application object. More iterations would measure
# the allocator's leftovers rather than the dialogs.
window = os.path.join(build, "bench", "gui", "bench_gui_window")
memory = {}
if os.path.exists(window):
    sys.stderr.write("measuring resident memory ...\n")
    for key, bench_filter in (("main", "^BM_StartupMainDialog$"),
                              ("bare", "^BM_StartupBareDialog$"), ("none", "^none$")):
        memory[key] = run(window, bench_filter, reps=1, min_seconds=0)[1]

# Start-up as a whole process, so that loading the libraries counts: the window's probe (what
# the program links, its start routine, up to the first paint) beside a bare Qt dialog with as
# many widgets, and the window's probe that then opens the Auswertung (its plugin and the
# charting library loaded on that first opening). Runs alternate; medians of 21, of the time on
# the clock and of the processor time the process used (user and system), which a machine busy
# with other work disturbs less.
probes = {"main": [os.path.join(build, "bench", "startup", "probe_startup_main")],
          "bare": [os.path.join(build, "bench", "startup", "probe_startup_bare")],
          "evaluation": [os.path.join(build, "bench", "startup", "probe_startup_main"),
                         "--open-evaluation"]}
process_start = {}
process_cpu = {}
if all(os.path.exists(command[0]) for command in probes.values()):
    sys.stderr.write("timing start-up processes ...\n")
    samples = {key: [] for key in probes}
    cpu_samples = {key: [] for key in probes}
    for _ in range(21):
        for key, command in probes.items():
            begin = time.perf_counter()
            child = subprocess.Popen(command, stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL)
            # A probe that hangs (a message box waiting for a click) is ended and not counted.
            watchdog = threading.Timer(PROBE_PATIENCE_S, child.kill)
            watchdog.start()
            _, status, usage = os.wait4(child.pid, 0)
            watchdog.cancel()
            elapsed = time.perf_counter() - begin
            if os.waitstatus_to_exitcode(status) == 0:
                samples[key].append(elapsed * 1e9)
                cpu_samples[key].append((usage.ru_utime + usage.ru_stime) * 1e9)
    process_start = {key: statistics.median(values) for key, values in samples.items() if values}
    process_cpu = {key: statistics.median(values) for key, values in cpu_samples.items()
                   if values}

# Exit: from the moment the probe closes the main window to the end of its process, closed at
# once after the first paint (the climate tables may still be read), in use (the hourly balance
# computed), and with the Auswertung open (its module and the charting library loaded).
exit_probe = os.path.join(build, "bench", "startup", "probe_exit_main")
exit_cases = {"at once": ["--at-once"], "in use": [], "with the Auswertung open":
              ["--open-evaluation"]}
exit_times = {}
if os.path.exists(exit_probe):
    sys.stderr.write("timing the exit ...\n")
    for case, arguments in exit_cases.items():
        values = []
        for _ in range(11):
            try:
                child = subprocess.run([exit_probe] + arguments, stdout=subprocess.PIPE,
                                       stderr=subprocess.DEVNULL, timeout=PROBE_PATIENCE_S)
            except subprocess.TimeoutExpired:
                continue
            ended = time.monotonic_ns()  # CLOCK_MONOTONIC, as the probe's steady clock
            closed = child.stdout.split()
            if child.returncode == 0 and closed:
                values.append(ended - int(closed[-1]))
        if values:
            exit_times[case] = statistics.median(values)

rows = []
used = set()


def figure(program, name):
    used.add((program, name))
    return figures.get((program, name), {})


def verdict(ok):
    return "ok" if ok else "MISSED"


def timed_row(title, program, name, limit_ns=None, limit_text="—"):
    """A row judged against limit_ns: below it for a "<" target, at most it for "<="."""
    record = figure(program, name)
    if limit_ns is None:
        judged = ""
    elif "ns" not in record:
        judged = "MISSED"
    elif limit_text.startswith("<="):
        judged = verdict(record["ns"] <= limit_ns)
    else:
        judged = verdict(record["ns"] < limit_ns)
    rows.append((title, describe(record), limit_text, judged))


solves = [(name, figures[("bench_solve", name)]) for (p, name) in list(figures)
          if p == "bench_solve" and name.startswith("BM_SolveFrom/")]
solve_times = [r["ns"] for _, r in solves if "ns" in r]
if solve_times:
    typical = statistics.median(solve_times)
    slowest_name, slowest = max(((n, r) for n, r in solves if "ns" in r),
                                key=lambda item: item[1]["ns"])
    rows.append(("Solve in the core: median over the %d starting quantities" % len(solve_times),
                 show_time(typical), "< 10 µs", verdict(typical < 10e3)))
    rows.append(("Solve in the core: slowest start (%s)" % slowest.get("label", slowest_name),
                 show_time(slowest["ns"]), "< 10 µs", verdict(slowest["ns"] < 10e3)))
else:
    rows.append(("Solve in the core", "not measured", "< 10 µs", "MISSED"))

timed_row("Keystroke to all fields (window)", "bench_gui_window", "BM_KeystrokeSolve", 1e6, "< 1 ms")
timed_row("Keystroke to all fields, repainted (window)", "bench_gui_window",
          "BM_KeystrokeSolveAndPaint", 300e3, "<= 300 µs")
timed_row("Keystroke to all fields (core, in-memory fields)", "bench_solve", "BM_Keystroke",
          1e6, "< 1 ms")


def ratio_row(title, ratio, extra=""):
    if ratio is None:
        rows.append((title, "not measured", "<= 1.3x", "MISSED"))
    else:
        rows.append((title, "%.2fx%s" % (ratio, extra), "<= 1.3x", verdict(ratio <= 1.3)))


# In one process: the two dialogs alternate in one benchmark, so that both meet the same load.
side = figure("bench_gui_window", "BM_StartupMainBesideBare")
counters = side.get("counters", {})
if "main_ms" in counters and "bare_ms" in counters:
    rows.append(("Start-up in one process: main dialog shown", "%.3g ms" % counters["main_ms"],
                 "", ""))
    rows.append(("Start-up in one process: bare Qt dialog, same widget count",
                 "%.3g ms" % counters["bare_ms"], "", ""))
ratio_row("Start-up ratio main / bare, in one process", counters.get("ratio"),
          " (processor time %.2fx)" % counters["processor_ratio"]
          if "processor_ratio" in counters else "")
# For orientation: the bare dialog showing the main dialog's own texts and a table.
same = figure("bench_gui_window", "BM_StartupMainBesideBareWithItsTexts").get("counters", {})
if "ratio" in same:
    rows.append(("Start-up ratio main / bare dialog with the main dialog's texts and a table, "
                 "in one process", "%.2fx (bare %.3g ms)" % (same["ratio"], same["bare_ms"]),
                 "(no target)", ""))

if "main" in process_start and "bare" in process_start:
    main_ns, bare_ns = process_start["main"], process_start["bare"]
    rows.append(("Start-up, whole process to first paint: main dialog",
                 "%s (processor %s)" % (show_time(main_ns), show_time(process_cpu["main"])),
                 "", ""))
    rows.append(("Start-up, whole process to first paint: bare Qt dialog, same widget count",
                 "%s (processor %s)" % (show_time(bare_ns), show_time(process_cpu["bare"])),
                 "", ""))
    ratio_row("Start-up ratio main / bare, whole process", main_ns / bare_ns,
              " (processor time %.2fx)" % (process_cpu["main"] / process_cpu["bare"]))
    if "evaluation" in process_start:
        first_open = process_start["evaluation"] - main_ns
        rows.append(("Auswertung first opening in a new process (plugin and Qt Charts loaded)",
                     show_time(first_open), "<= 50 ms", verdict(first_open <= 50e6)))
else:
    ratio_row("Start-up ratio main / bare, whole process", None)

for case in exit_cases:
    title = "Exit after the main window closed, " + case
    if case in exit_times:
        rows.append((title, show_time(exit_times[case]), "< 200 ms",
                     verdict(exit_times[case] < 200e6)))
    else:
        rows.append((title, "not measured", "< 200 ms", "MISSED"))

if memory:
    mib = {k: v / 1024 for k, v in memory.items()}
    rows.append(("Peak resident memory: main dialog process", "%.1f MiB" % mib["main"], "", ""))
    rows.append(("Peak resident memory: bare dialog process", "%.1f MiB" % mib["bare"], "", ""))
    rows.append(("Peak resident memory: application only", "%.1f MiB" % mib["none"], "", ""))
    rows.append(("Resident memory ratio main / bare", "%.2fx" % (mib["main"] / mib["bare"]),
                 "(no target)", ""))
    extra_main, extra_bare = mib["main"] - mib["none"], mib["bare"] - mib["none"]
    if extra_bare > 0:
        rows.append(("Resident memory above the application, main / bare",
                     "%.1f / %.1f MiB = %.2fx" % (extra_main, extra_bare, extra_main / extra_bare),
                     "(no target)", ""))

for count in (1, 100, 1000):
    timed_row("Solve with %d module row%s" % (count, "" if count == 1 else "s"), "bench_yield",
              "BM_SolveFromEfficiency/%d" % count, 1e6, "< 1 ms")
timed_row("Help picture decoded and scaled when the focus first shows it", "bench_gui_window",
          "BM_HelpPictureOnFirstFocus")
timed_row("Chart render 300 x 122 (window size)", "bench_chart", "BM_DrawMonthlyChart/300/122",
          200e3, "< 200 µs")
timed_row("Data file load, 10,000 rows", "bench_tablesize", "BM_LoadDataFile10000Rows/iterations:3",
          1e9, "< 1 s")
timed_row("One cell edit with 10,000 rows (edit, solve, refresh tick)", "bench_tablesize",
          "BM_CellEdit10000Rows", 2e6, "< 2 ms")
timed_row("Data file load, 10,000 rows (window, repainted)", "bench_gui_table",
          "BM_WindowLoad10000Rows/iterations:3", 1e9, "< 1 s")
timed_row("One cell edit with 10,000 rows (window: typed, solved, ticked, repainted)",
          "bench_gui_table", "BM_WindowCellEdit/10000", 2e6, "< 2 ms")
timed_row("One cell edit with 100 rows (window: typed, solved, ticked, repainted)",
          "bench_gui_table", "BM_WindowCellEdit/100")
for count in (500, 2000):
    timed_row("%d rows added one by one (core)" % count, "bench_tablesize",
              "BM_AddRowsOneByOne/%d/iterations:1" % count)
    timed_row("%d rows added one by one (window)" % count, "bench_gui_table",
              "BM_WindowAddRowsOneByOne/%d/iterations:1" % count)
hourly_site = figure("bench_hourly", "BM_HourlyYearNewSite")
timed_row("Hourly balance: year of 3 fields + battery, new site (nothing cached)", "bench_hourly",
          "BM_HourlyYearNewSite", 5e6, "< 5 ms")
for title, name in (("new orientation of one field", "BM_HourlyYearNewOrientation"),
                    ("new size of one field", "BM_HourlyYearNewRoofSize"),
                    ("new household demand", "BM_HourlyYearNewDemand"),
                    ("new battery capacity", "BM_HourlyYearNewBattery")):
    # "Far less" than a new site: at most half of it.
    limit = hourly_site["ns"] / 2 if "ns" in hourly_site else None
    timed_row("Hourly balance: " + title, "bench_hourly", name, limit,
              "< 1/2 of a new site" if limit else "—")
timed_row("Hourly balance: the same year with an imported weather year, new site",
          "bench_hourly", "BM_HourlyYearNewSiteImportedWeather", 5e6, "< 5 ms")
timed_row("Weather file read: PVGIS typical year, CSV", "bench_hourly",
          "BM_WeatherFileRead/PvgisCsv", 50e6, "< 50 ms")
timed_row("Weather file read: PVGIS typical year, EPW", "bench_hourly", "BM_WeatherFileRead/Epw",
          50e6, "< 50 ms")
timed_row("Hourly balance: CSV text of the 35,040 steps", "bench_hourly", "BM_HourlyCsvText")
timed_row("Climate tables read (3 files)", "bench_hourly", "BM_ClimateTablesLoad")
timed_row("Auswertung window: first opening in a new main window (plugin already loaded)",
          "bench_gui_evaluation", "BM_EvaluationWindowFirstOpen", 50e6, "<= 50 ms")
timed_row("Auswertung window open: a change until it shows it (tick, hourly balance on its "
          "thread, charts)", "bench_gui_evaluation", "BM_EvaluationTickWithWindowOpen", 15e6,
          "<= 15 ms")
timed_row("Auswertung window open: the same for a household size whose home is not kept "
          "(its year simulated)", "bench_gui_evaluation", "BM_EvaluationTickWithWindowOpenNewHome")
timed_row("Auswertung: sizing curves (33 hourly years, worker thread)", "bench_gui_evaluation",
          "BM_SizingCurves")
timed_row("Auswertung open: one refresh tick on the GUI thread (year, variants and best "
          "battery on the worker thread)", "bench_gui_evaluation",
          "BM_EvaluationRefreshTickOnTheGuiThread", 25e6, "< 25 ms")
timed_row("Auswertung: a change until the variants show it (year and 21 battery sizes, worker "
          "thread)", "bench_gui_evaluation", "BM_VariantsAfterAChange")
timed_row("Auswertung: PDF report (verdict, assumptions, key figures, charts, money)",
          "bench_gui_evaluation", "BM_ReportPdf", 300e6, "< 300 ms")
timed_row("Data file load, 140 rows", "bench_report_extra", "BM_DataFileLoad140Rows")
timed_row("Data file save, 140 rows", "bench_report_extra", "BM_DataFileSave140Rows")
timed_row("10,000 places read and sorted (core)", "bench_report_extra",
          "BM_LocationDatabase10000Sorted")
timed_row("10,000 places read, sorted and shown (window)", "bench_gui_places",
          "BM_PlacesSortedAndShown")

rows.append(("", "", "", ""))
natural = lambda item: [int(t) if t.isdigit() else t for t in re.split(r"(\d+)", " ".join(item[0]))]
for (program, name), record in sorted(figures.items(), key=natural):
    if (program, name) not in used:
        rows.append(("%s %s" % (program, name), describe(record), "—", ""))

headings = ("figure", "measured", "target", "verdict")
widths = [max(len(str(r[i])) for r in rows + [headings]) for i in range(4)]
line = lambda r: "| " + " | ".join(str(c).ljust(w) for c, w in zip(r, widths)) + " |"
print(line(headings))
print("|" + "|".join("-" * (w + 2) for w in widths) + "|")
for r in rows:
    print(line(r) if any(r) else line(("",) * 4))
missed = sum(1 for r in rows if r[3] == "MISSED")
print("\n%d of %d targets missed." % (missed, sum(1 for r in rows if r[3])))
PYTHON
