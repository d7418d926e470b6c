#!/usr/bin/env bash
# What the unit tests cannot do alone, run against the built ambit: two
# template runs writing one language file at once, runs killed by signals
# in the middle of their rewrites, and a disk that fills up. Each check
# works on its own copy of the sample project.
#
#   tools/failure-checks.sh BINDIR     (the folder holding ambit)
#
# The full-disk checks mount a small tmpfs; where that is not allowed (no
# root), they are skipped with a message.
set -euo pipefail
bin=$(cd "${1:?usage: tools/failure-checks.sh BINDIR}" && pwd)
ambit="$bin/ambit"
sample=$(cd "$(dirname "$0")/../examples/sample" && pwd)
work=$(mktemp -d)
full="$work/full"
cleanup() {
  if mountpoint -q "$full" 2>/dev/null; then umount "$full"; fi
  rm -rf "$work"
}
trap cleanup EXIT
failed=0
fail() {
  echo "failure-checks: FAILED: $*" >&2
  failed=1
}
# A fresh copy of the sample project in $1.
fresh() {
  rm -rf "$1"
  cp -r "$sample" "$1"
}
temporaries() { find "$1" -maxdepth 1 -name '.*.tmp*' | wc -l; }

# --- Two writers, one language file: neither drops the other's sections.
fresh "$work/expected"
(cd "$work/expected" && rm Russian.lng && "$ambit" template Sample.amproj --language Russian >/dev/null)
sort "$work/expected/Russian.lng" >"$work/expected.sorted"
for round in 1 2 3; do
  dir="$work/two$round"
  fresh "$dir"
  rm "$dir/Russian.lng"
  (cd "$dir" && "$ambit" template MainForm.dfm ContactsForm.dfm --language Russian >/dev/null) &
  first=$!
  (cd "$dir" && "$ambit" template MainForm.dfm AboutBox.dfm --language Russian >/dev/null) &
  second=$!
  wait "$first" || fail "two writers, round $round: the first template run failed"
  wait "$second" || fail "two writers, round $round: the second template run failed"
  sort "$dir/Russian.lng" | cmp -s - "$work/expected.sorted" ||
    fail "two writers, round $round: Russian.lng lost records of the other run"
done

# --- Killed in the middle of a save: the file stays whole, and what the
# killed rewrite left is gone after the next one.
for signal in KILL TERM HUP; do
  dir="$work/$signal"
  fresh "$dir"
  before=$(stat -c %i "$dir/German.lng")
  (cd "$dir" && exec "$ambit" template Sample.amproj --language German >/dev/null 2>&1) &
  pid=$!
  # The first rename shows that the rewrites have begun.
  for _ in $(seq 1 1000); do
    [ "$(stat -c %i "$dir/German.lng")" != "$before" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.01
  done
  kill "-$signal" "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  # A template run of German writes exactly the sample's file.
  cmp -s "$dir/German.lng" "$sample/German.lng" || fail "SIG$signal: German.lng is not whole"
  (cd "$dir" && "$ambit" template Sample.amproj --language German >/dev/null) || fail "SIG$signal: the next run failed"
  [ "$(temporaries "$dir")" -eq 0 ] || fail "SIG$signal: temporary files stay behind: $(ls -A "$dir" | grep tmp)"
done

# --- A full disk: every write that fails is reported, nothing is left cut.
mkdir -p "$full"
if mount -t tmpfs -o size=512k tmpfs "$full" 2>/dev/null; then
  fresh "$full/s"
  head -c 1G /dev/zero >"$full/filler" 2>/dev/null || true
  cd "$full/s"
  if "$ambit" show Sample.amproj --language German >"$full/out.txt" 2>"$work/err"; then
    fail "full disk: show reported success"
  fi
  grep -q "cannot write the output" "$work/err" || fail "full disk: show did not say why: $(cat "$work/err")"
  # Nothing written, so the disk is full before the language file is.
  if "$ambit" template Sample.amproj --language Russian >/dev/null 2>"$work/err"; then
    :  # the file may fit in what the output left; then it must be whole
  else
    grep -q "the disk is full" "$work/err" || fail "full disk: template did not say the disk is full: $(cat "$work/err")"
  fi
  cmp -s Russian.lng "$sample/Russian.lng" || fail "full disk: Russian.lng was changed"
  [ "$(temporaries .)" -eq 0 ] || fail "full disk: temporary files stay behind"
  if "$ambit" render Sample.amproj --language German --out "$full/pictures" >"$work/out" 2>"$work/err"; then
    fail "full disk: render reported success"
  fi
  # Every picture reported as written is a whole PNG; no other is there.
  for picture in "$full"/pictures/*.png; do
    [ -e "$picture" ] || continue
    grep -qxF "wrote $picture" "$work/out" || fail "full disk: $picture is there but was not reported"
    [ "$(tail -c 8 "$picture" | od -An -tx1 | tr -d ' \n')" = "49454e44ae426082" ] ||
      fail "full disk: $picture is cut"
  done
  [ "$(find "$full/pictures" -name '.*' | wc -l)" -eq 0 ] || fail "full disk: render left temporary files"
  cd "$work"
  umount "$full"
else
  echo "failure-checks: skipping the full-disk checks: cannot mount a small tmpfs here (they need root)"
fi

if [ "$failed" -ne 0 ]; then
  exit 1
fi
echo "failure-checks: passed"
