#!/usr/bin/env bash
# Builds the release preset, runs every benchmark of the performance table
# (and the Qt translator peer, both layouts) in one go, and prints the table
# with its ratios. Ratios only mean something within one run on one
# machine; run it on a quiet one for the figures in the README.
#
#   tools/bench.sh
#
# AMBIT_BENCH_REPS   repetitions of each benchmark, the best one counts (5)
# AMBIT_QT_PEER      the Qt translator peer's folder (run.sh, bench.cpp); by
#                    default ../shared/peers/qt-translator beside the checkout
# AMBIT_BENCH_OUT    where the full outputs go (a fresh temporary folder)
#
# Needs what tools/setup.sh installs; the database rows start a throwaway
# PostgreSQL cluster (tools/pg-cluster.sh). The peer needs qt6-base-dev and
# lrelease from qt6-l10n-tools (apt-get install qt6-l10n-tools); without it
# the peer's rows are left out.
set -euo pipefail
cd "$(dirname "$0")/.."

reps=${AMBIT_BENCH_REPS:-5}
out=${AMBIT_BENCH_OUT:-$(mktemp -d)}
mkdir -p "$out"
peer=${AMBIT_QT_PEER:-}
if [ -z "$peer" ]; then
  for d in ../shared/peers/qt-translator ../../shared/peers/qt-translator; do
    if [ -x "$d/run.sh" ]; then peer=$(cd "$d" && pwd); break; fi
  done
fi

if command -v ccache >/dev/null 2>&1; then export CMAKE_CXX_COMPILER_LAUNCHER=ccache; fi
cmake --preset release >"$out/configure.log"
cmake --build --preset release -j "${AMBIT_BENCH_JOBS:-2}" \
  --target bench_FormLocalizer bench_WidgetSwitch bench_DBSource bench_FormStream >"$out/build.log"

cleanup() { tools/pg-cluster.sh stop >/dev/null 2>&1 || true; }
trap cleanup EXIT
eval "$(tools/pg-cluster.sh start)"

bin=build/release/bin
run() {
  local name=$1
  shift
  echo "running $name" >&2
  "$@" --benchmark_repetitions="$reps" >"$out/$name.txt" 2>"$out/$name.err"
}
run formlocal "$bin/bench_FormLocalizer" --benchmark_filter='Parse|Switch'
run widgets env QT_QPA_PLATFORM=offscreen "$bin/bench_WidgetSwitch"
run database "$bin/bench_DBSource"
run formfile "$bin/bench_FormStream"

if [ -n "$peer" ] && { command -v lrelease >/dev/null 2>&1 || command -v qmake6 >/dev/null 2>&1; }; then
  echo "running the Qt peer" >&2
  PEER_OUT="$out/peer" "$peer/run.sh" >"$out/peer-stack.txt" 2>"$out/peer.err" || true
  PEER_OUT="$out/peer" PEER_LAYOUT=grid "$peer/run.sh" >"$out/peer-grid.txt" 2>>"$out/peer.err" || true
else
  echo "the Qt peer is not run (no peer folder or no lrelease)" >&2
  : >"$out/peer-stack.txt"
  : >"$out/peer-grid.txt"
fi

# Rows against the peer: our best single switches ("time |" lines) over the
# peer's microseconds for the same N.
peer_rows() {
  awk -F'|' -v ours="$1" -v field="$2" -v work="$3" -v base="$4" -v target="$5" '
    function trim(s) { gsub(/^ +| +$/, "", s); return s }
    FNR == NR { if (trim($1) == "time" && trim($2) == ours) t[trim($3)] = trim($4); next }
    {
      # The peer prints "key=value" words separated by blanks.
      n = ""; v = 0
      words = split($0, w, " ")
      for (i = 1; i <= words; i++) {
        split(w[i], kv, "=")
        if (kv[1] == "N") n = kv[2]
        split(field, parts, "+")
        for (p in parts) if (kv[1] == parts[p]) v += kv[2]
      }
      if (n in t && v > 0)
        printf "row | %-44s | %8s | %10.1f us | %-32s | %10.1f us | %6.2fx | %s\n", work, n, t[n], base, v, t[n] / v, target
    }' "$out/times.txt" "$6" 2>/dev/null || true
}
grep -h '^time' "$out/formlocal.txt" "$out/widgets.txt" >"$out/times.txt" || true

{
  echo "work | N | ours | baseline | baseline time | ratio | target"
  grep -h '^row' "$out/formlocal.txt" | sed 's/^row | //'
  peer_rows "between languages" "headless_us+load_us" "Switch between languages, language file" \
    "Qt: .qm load + translate all" "<= 1.5x at 10,000" "$out/peer-stack.txt" | sed 's/^row | //'
  grep -h '^row' "$out/widgets.txt" | sed 's/^row | //'
  peer_rows "widgets" "widgets_us" "Switch on widgets, offscreen, grid" "Qt: retranslate widgets, grid" "<= 1x" \
    "$out/peer-grid.txt" | sed 's/^row | //'
  grep -h '^row' "$out/database.txt" | sed 's/^row | //'
  grep -h '^row' "$out/formfile.txt" | sed 's/^row | //'
} | column -t -s '|' -o '|'
echo
echo "load: $(cut -d' ' -f1-3 /proc/loadavg 2>/dev/null || echo unknown); outputs in $out"
