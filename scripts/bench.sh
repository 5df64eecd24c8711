#!/usr/bin/env bash
# Builds the release preset and measures the game: prints one Markdown table of every figure with the
# machine and the date. The CPU-side benchmarks run headless; the rendered frames run on Mesa's
# llvmpipe under an Xvfb server the script starts itself; the runner is timed on real runs.
# Usage: ./scripts/bench.sh   (about two minutes on a 2-core machine once the build is up to date;
#        BENCH_NO_BUILD=1 measures the binaries already in build/ without setting up or building)
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${BENCH_NO_BUILD:-}" ]; then
  echo "bench: setting up and building the release preset" >&2
  ./scripts/setup.sh >/dev/null
fi

BIN=build/bin
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
export ALSOFT_DRIVERS=null LIBGL_ALWAYS_SOFTWARE=1
unset VELDORIN_QUALITY VELDORIN_CULL  # each benchmark names the picture it draws; culling stays on

# --- benchmarks: medians of three repetitions; the rendered frames are their own median of 300 ---
"$BIN/veldorin_bench" --benchmark_filter='BM_RayLargestMap|BM_Stage2|BM_RewindStep' --benchmark_repetitions=3 \
  --benchmark_report_aggregates_only=true --benchmark_format=json >"$TMP/cpu.json" 2>/dev/null
xvfb-run -a -s "-screen 0 1280x1024x24" "$BIN/veldorin_bench" --benchmark_filter='BM_Render(Stage2|Floor|Stage2Flat)Frame|BM_RenderPlace' \
  --benchmark_format=json >"$TMP/render.json" 2>/dev/null || true

# One line per result: run name (with "_median" for a median), real time, CPU time, unit, counters.
flatten() {
  awk '
    /^ *"name":/ { gsub(/[",]/, "", $2); name = $2; real = cpu = unit = ""; counters = "" }
    /"real_time":/ { gsub(/,/, "", $2); real = $2 }
    /"cpu_time":/ { gsub(/,/, "", $2); cpu = $2 }
    /"time_unit":/ { gsub(/[",]/, "", $2); unit = $2 }
    /"(allocs_per_frame|median_ms|patches|faces|hit_rate|objects|shadow_asked|shadow_submitted|scene_asked|scene_submitted)":/ {
      key = $1; gsub(/[":]/, "", key); value = $2; gsub(/,/, "", value); counters = counters " " key "=" value }
    /^ *}/ { if (name != "") print name, real, cpu, unit, counters; name = "" }
  ' "$@"
}
flatten "$TMP/cpu.json" "$TMP/render.json" >"$TMP/results"

# field NAME COLUMN: real | cpu | a counter's name. Empty when the benchmark did not run.
field() {
  awk -v name="$1" -v col="$2" '$1 == name {
    if (col == "real") print $2; else if (col == "cpu") print $3;
    else for (i = 5; i <= NF; ++i) { split($i, kv, "="); if (kv[1] == col) print kv[2] } }' "$TMP/results"
}
fmt() { [ -n "$1" ] && awk -v v="$1" -v d="${2:-0}" 'BEGIN { printf "%.*f", d, v }' || printf 'n/a'; }
# check VALUE OP LIMIT: "yes" or "no" (n/a without a value)
check() { [ -n "$1" ] && awk -v v="$1" -v l="$3" -v op="$2" 'BEGIN {
  ok = (op == "<") ? v < l : v >= l; print ok ? "yes" : "**no**" }' || printf 'n/a'; }

# --- the runner: frames per second of real runs; the fastest of three runs of 100 frames (start-up and
# loading) is taken from the fastest of three of 20100 frames ---
fastest_ms() {
  local best="" a b t
  for _ in 1 2 3; do
    a=$(date +%s%N); "$BIN/veldorin-sim" "$@" >/dev/null 2>&1; b=$(date +%s%N)
    t=$(((b - a) / 1000)); if [ -z "$best" ] || [ "$t" -lt "$best" ]; then best=$t; fi
  done
  echo "$best"
}
sim_fps() {
  local short long
  short=$(fastest_ms "$@" --frames 100)
  long=$(fastest_ms "$@" --frames 20100)
  awk -v s="$short" -v l="$long" 'BEGIN { d = l - s; if (d <= 0) d = 1; printf "%.0f", 20000 / (d / 1e6) }'
}
stage2_fps=$(sim_fps --scene 2 --stage 1)
hub_fps=$(sim_fps)

scan=$(field BM_RayLargestMapScan_median cpu)
tree=$(field BM_RayLargestMapTree_median cpu)
speedup=$( [ -n "$scan" ] && [ -n "$tree" ] && awk -v s="$scan" -v t="$tree" 'BEGIN { print s / t }' || true)
faces=$(field BM_RayLargestMapTree_median faces)
u0=$(field BM_Stage2Update/0/iterations:2000/manual_time_median real)
u100=$(field BM_Stage2Update/100/iterations:2000/manual_time_median real)
u300=$(field BM_Stage2Update/300/iterations:2000/manual_time_median real)
frame=$(field BM_Stage2Frame/300_median cpu)
allocs=$(field BM_Stage2Frame/300_median allocs_per_frame)
load=$(field BM_Stage2Load/iterations:3/manual_time_median real)
rewind=$(field BM_RewindStepStage2/iterations:5/manual_time_median real)
render=$(field BM_RenderStage2Frame/iterations:300/manual_time median_ms)
floor=$(field BM_RenderFloorFrame/iterations:300/manual_time median_ms)
flat=$(field BM_RenderStage2FlatFrame/iterations:300/manual_time median_ms)
# over_floor VALUE: VALUE / floor, empty without both
over_floor() { [ -n "$1" ] && [ -n "$floor" ] && awk -v v="$1" -v f="$floor" 'BEGIN { print v / f }' || true; }
render_ratio=$(over_floor "$render")
# place_row PLACE PICTURE LABEL: one place in one picture beside its own floor (the same passes with
# nothing drawn, same run), with the draws per frame of each pass before and after culling.
place_row() {
  local run="BM_RenderPlace/$1/$2" ms fl ratio target met
  ms=$(field "$run/1/iterations:100/manual_time" median_ms)
  fl=$(field "$run/0/iterations:100/manual_time" median_ms)
  ratio=$( [ -n "$ms" ] && [ -n "$fl" ] && awk -v v="$ms" -v f="$fl" 'BEGIN { print v / f }' || true)
  draws="shadow $(fmt "$(field "$run/1/iterations:100/manual_time" shadow_asked)") → $(fmt "$(field "$run/1/iterations:100/manual_time" shadow_submitted)"), scene $(fmt "$(field "$run/1/iterations:100/manual_time" scene_asked)") → $(fmt "$(field "$run/1/iterations:100/manual_time" scene_submitted)")"
  if [ "$2" = 1 ]; then target="≤ 16 ms"; met=$(check "$ms" '<' 16.0001)
  elif [ "$1" = 2 ]; then target="≤ 2.5 × the floor"; met=$(check "$ratio" '<' 2.5001)
  else target=""; met=""; fi
  echo "| Rendered frame, $3 ($(fmt "$fl" 1) ms floor; draws per frame asked → submitted: $draws) | $(fmt "$ms" 1) ms ($(fmt "$ratio" 2) × the floor) | $target | $met |"
}
flat_ratio=$(over_floor "$flat")

cpu_model=$(lscpu | sed -n 's/^Model name: *//p' | head -n 1)
echo "Measured $(date -u '+%Y-%m-%d %H:%M UTC') on ${cpu_model:-unknown CPU}, $(nproc) cores, release build."
echo
echo "| Figure | Median | Target | Met |"
echo "|---|---|---|---|"
echo "| Ray query, largest map mesh ($(fmt "$faces") faces), every face tested | $(fmt "$scan") ns per ray | | |"
echo "| Ray query, the same rays through the ray tree | $(fmt "$tree") ns per ray ($(fmt "$speedup") × faster) | ≥ 10 × faster, < 1000 ns | $( [ "$(check "$speedup" '>=' 10)" = yes ] && check "$tree" '<' 1000 || echo '**no**') |"
echo "| Update pass, stage 2, no ice patches | $(fmt "$u0" 1) µs | | |"
echo "| Update pass, stage 2, 100 ice patches | $(fmt "$u100" 1) µs | | |"
echo "| Update pass, stage 2, 300 ice patches | $(fmt "$u300" 1) µs | < 250 µs | $(check "$u300" '<' 250) |"
echo "| Game CPU per frame, stage 2, 300 patches (update, draws through the headless device, present) | $(fmt "$frame" 1) µs | < 1000 µs | $(check "$frame" '<' 1000) |"
echo "| Heap allocations per steady-state frame (same frame) | $(fmt "$allocs" 2) | ≤ 1 | $(check "$allocs" '<' 1.5) |"
echo "| \`veldorin-sim\` headless, stage 2 | $(fmt "$stage2_fps") frames/s | ≥ 2000 | $(check "$stage2_fps" '>=' 2000) |"
echo "| \`veldorin-sim\` headless, hub (title) | $(fmt "$hub_fps") frames/s | | |"
echo "| Load: game list + stage 2 map list + placement | $(fmt "$load" 0) ms | | |"
echo "| Rewind step, five minutes into stage 2 (the stage built and its journal played again) | $(fmt "$rewind" 0) ms | ≤ 100 ms | $(check "$rewind" '<' 100.0001) |"
echo "| Rendered frame, stage 2, 800 × 600, llvmpipe under Xvfb | $(fmt "$render" 1) ms ($(fmt "$render_ratio" 2) × the floor) | ≤ 2.5 × the floor | $(check "$render_ratio" '<' 2.5001) |"
echo "| Rendered frame, same passes with nothing drawn (floor) | $(fmt "$floor" 1) ms | | |"
echo "| Rendered frame, stage 2 with the toon pixels written flat (no shading at all) | $(fmt "$flat" 1) ms ($(fmt "$flat_ratio" 2) × the floor) | | |"
place_row 0 0 "hub, full picture"
place_row 0 1 "hub, light picture"
place_row 1 0 "stage 1, full picture"
place_row 1 1 "stage 1, light picture"
place_row 2 0 "stage 2, full picture"
place_row 2 1 "stage 2, light picture"
echo
echo "CPU figures are CPU time of the game (update and rewind step: its thread; frame: the process); the load, the"
echo "runner's frames per second and the rendered frames are wall-clock time. Runner: 20000 frames, the"
echo "fastest of three runs of 20100 frames less the fastest of three of 100 (start-up and loading)."
