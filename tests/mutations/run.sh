#!/usr/bin/env bash
# Applies the deliberate breakages of a mutation list to the product code one at a time, builds,
# runs the test suite, and writes a markdown table of which breakages the tests catch.
#
# Usage: tests/mutations/run.sh <repo-dir> <out.md>   (a clean clone or worktree, not your work tree)
#
# The list is a JSON array of {"id", "file", "before", "after"}: "before" must occur exactly once
# in "file" (relative to <repo-dir>), and is replaced by "after". By default the list is
# mutants.json next to this script; MUTANTS_JSON=<path> names another.
#
# Results: CAUGHT (a test failed, crashed or the run hit its time limit), MISSED (all tests
# passed), NOBUILD (the mutated code does not compile), N/A (the before text is not found exactly
# once). Each mutated file is restored with git checkout, and the tracked files must be unchanged
# before the next breakage; nothing is committed.
set -u

if [ $# -ne 2 ]; then
  echo "usage: $0 <repo-dir> <out.md>" >&2
  exit 2
fi

REPO=$(cd "$1" && pwd) || { echo "no such directory: $1" >&2; exit 2; }
OUT=$2
SCRIPT_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
LIST=${MUTANTS_JSON:-$SCRIPT_DIR/mutants.json}
BUILD=$REPO/build-mut
CTEST_OUTER=${MUT_CTEST_OUTER:-120}   # wall-clock limit of one whole ctest run, seconds
CTEST_EACH=${MUT_CTEST_EACH:-20}      # per-test limit (e2e tests override it with their own TIMEOUT)
LOGDIR=$BUILD/mut-logs

[ -f "$LIST" ] || { echo "mutation list not found: $LIST" >&2; exit 2; }
[ -f "$REPO/CMakeLists.txt" ] || { echo "no CMakeLists.txt in $REPO" >&2; exit 2; }
command -v python3 >/dev/null || { echo "python3 is needed" >&2; exit 2; }

log() { echo "[$(date +%H:%M:%S)] $*" >&2; }

tracked_changes() { git -C "$REPO" status --porcelain --untracked-files=no; }

if [ -n "$(tracked_changes)" ]; then
  echo "$REPO has modified tracked files; refusing to mutate it:" >&2
  tracked_changes >&2
  exit 2
fi

# Kills, by process id, every process still running a program of the build directory (test
# binaries and the program under test left behind when ctest was killed).
kill_leftovers() {
  local pid exe found=()
  for pid in $(ls /proc | grep -E '^[0-9]+$'); do
    [ "$pid" = "$$" ] && continue
    exe=$(readlink "/proc/$pid/exe" 2>/dev/null) || continue
    case "$exe" in
      "$BUILD"/*) found+=("$pid") ;;
    esac
  done
  if [ ${#found[@]} -gt 0 ]; then
    log "killing leftover processes from $BUILD: ${found[*]}"
    for pid in "${found[@]}"; do kill -KILL "$pid" 2>/dev/null; done
    sleep 1
  fi
}

# Runs the suite; prints the failing tests (comma-separated) on stdout. Returns 0 when all
# passed, 1 when a test failed, 2 when the whole run hit the time limit.
run_suite() {
  local logfile=$1 rc
  timeout -k 10 "$CTEST_OUTER" ctest --test-dir "$BUILD" -j2 --timeout "$CTEST_EACH" >"$logfile" 2>&1
  rc=$?
  if [ $rc -eq 124 ] || [ $rc -eq 137 ]; then
    kill_leftovers
  fi
  python3 - "$logfile" "$rc" <<'PY'
import re, sys
text = open(sys.argv[1], errors="replace").read()
rc = int(sys.argv[2])
started, finished, failed = [], set(), []
for line in text.splitlines():
    m = re.match(r"\s*Start\s+\d+: (\S+)", line)
    if m:
        started.append(m.group(1))
        continue
    m = re.search(r"Test\s+#\d+: (\S+) \.*\s*(\*+)?\s*(.*?)\s+[\d.]+ sec", line)
    if m:
        finished.add(m.group(1))
        if m.group(2):
            status = m.group(3).strip()
            failed.append(m.group(1) if status == "Failed" else "%s (%s)" % (m.group(1), status))
if rc in (124, 137):
    hung = [t for t in started if t not in finished]
    failed += ["%s (hang)" % t for t in hung]
    failed.append("(ctest killed after the outer time limit)")
if rc != 0 and not failed:
    tail = [l for l in text.splitlines() if l.strip()][-3:]
    failed.append("(ctest exit %d: %s)" % (rc, " / ".join(tail).replace("|", "\\|")))
print(", ".join(failed))
PY
  if [ $rc -eq 124 ] || [ $rc -eq 137 ]; then return 2; fi
  [ $rc -eq 0 ] && return 0
  return 1
}

# --- configure (once) and the unmutated run -----------------------------------------------
if [ ! -f "$BUILD/CMakeCache.txt" ]; then
  CFG=(-S "$REPO" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo)
  if grep -q 'BRENDIX_BENCH' "$REPO/CMakeLists.txt"; then CFG+=(-DBRENDIX_BENCH=OFF); fi
  log "configuring $BUILD"
  cmake "${CFG[@]}" >&2 || { echo "configure failed" >&2; exit 1; }
fi
mkdir -p "$LOGDIR"

log "building unmutated code"
if ! cmake --build "$BUILD" -j2 >"$LOGDIR/build-base.log" 2>&1; then
  tail -40 "$LOGDIR/build-base.log" >&2
  echo "the unmutated code does not build; aborting" >&2
  exit 1
fi
log "running the unmutated suite"
T0=$(date +%s)
BASE_FAILS=$(run_suite "$LOGDIR/ctest-base.log")
BASE_RC=$?
T1=$(date +%s)
if [ $BASE_RC -ne 0 ]; then
  echo "the unmutated suite does not pass (${BASE_FAILS}); aborting. See $LOGDIR/ctest-base.log" >&2
  exit 1
fi
NTESTS=$(grep -oE 'tests passed, 0 tests failed out of [0-9]+' "$LOGDIR/ctest-base.log" | grep -oE '[0-9]+$')
log "unmutated suite passes: ${NTESTS:-?} tests in $((T1 - T0)) s"

# --- the mutations ------------------------------------------------------------------------
NUM=$(python3 -c 'import json,sys; print(len(json.load(open(sys.argv[1]))))' "$LIST")
ROWS=$LOGDIR/rows.md
: >"$ROWS"
CURRENT_FILE=""

restore() {
  if [ -n "$CURRENT_FILE" ]; then
    git -C "$REPO" checkout -- "$CURRENT_FILE"
    CURRENT_FILE=""
  fi
}
trap 'echo "interrupted; restoring ${CURRENT_FILE:-nothing}" >&2; restore; kill_leftovers; exit 130' INT TERM

# Applies entry i: prints its id and file as "id<TAB>file"; exits 3 when the before text is not
# found exactly once (nothing is written then).
apply_entry() {
  python3 - "$LIST" "$1" "$REPO" <<'PY'
import json, os, sys
entries = json.load(open(sys.argv[1]))
e = entries[int(sys.argv[2])]
print("%s\t%s" % (e["id"], e["file"]))
path = os.path.join(sys.argv[3], e["file"])
try:
    text = open(path, encoding="utf-8", newline="").read()
except OSError:
    sys.exit(3)
if text.count(e["before"]) != 1:
    sys.exit(3)
with open(path, "w", encoding="utf-8", newline="") as f:
    f.write(text.replace(e["before"], e["after"], 1))
PY
}

NCAUGHT=0; NMISSED=0; NNA=0; NNOBUILD=0
MISSED_IDS=(); NA_IDS=(); NOBUILD_IDS=()
for ((i = 0; i < NUM; i++)); do
  INFO=$(apply_entry "$i")
  ARC=$?
  ID=${INFO%%$'\t'*}
  FILE=${INFO#*$'\t'}
  FAILS=""
  if [ $ARC -eq 3 ]; then
    RESULT="N/A"; FAILS="(before text not found exactly once)"
    NNA=$((NNA + 1)); NA_IDS+=("$ID")
  elif [ $ARC -ne 0 ]; then
    echo "could not apply entry $i ($ID)" >&2
    git -C "$REPO" checkout -- "$FILE" 2>/dev/null
    exit 1
  else
    CURRENT_FILE=$FILE
    if ! cmake --build "$BUILD" -j2 >"$LOGDIR/build-$ID.log" 2>&1; then
      RESULT="NOBUILD"
      FAILS="(compile error, see build-mut/mut-logs/build-$ID.log)"
      NNOBUILD=$((NNOBUILD + 1)); NOBUILD_IDS+=("$ID")
    else
      FAILS=$(run_suite "$LOGDIR/ctest-$ID.log")
      SRC=$?
      if [ $SRC -eq 0 ]; then
        RESULT="MISSED"; FAILS="—"
        NMISSED=$((NMISSED + 1)); MISSED_IDS+=("$ID")
      else
        RESULT="CAUGHT"
        [ $SRC -eq 2 ] && RESULT="CAUGHT (timeout)"
        NCAUGHT=$((NCAUGHT + 1))
      fi
    fi
    restore
  fi
  if [ -n "$(tracked_changes)" ]; then
    echo "tracked files still modified after $ID; aborting:" >&2
    tracked_changes >&2
    exit 1
  fi
  echo "| $ID | $FILE | $RESULT | $FAILS |" >>"$ROWS"
  log "$((i + 1))/$NUM $ID $FILE: $RESULT ${FAILS:0:200}"
done
trap - INT TERM

# --- the unmutated code once more, so that the build dir is left as it was ------------------
log "rebuilding the unmutated code and running the suite again"
AFTER="passes"
if ! cmake --build "$BUILD" -j2 >"$LOGDIR/build-after.log" 2>&1; then
  AFTER="DOES NOT BUILD"
else
  AFTER_FAILS=$(run_suite "$LOGDIR/ctest-after.log") || AFTER="FAILS: $AFTER_FAILS"
fi

join() {
  if [ $# -eq 0 ]; then echo "none"; return; fi
  local out=$1; shift
  local x; for x in "$@"; do out="$out, $x"; done
  echo "$out"
}
{
  echo "# Mutation run"
  echo
  echo "Repository: \`$REPO\` at commit $(git -C "$REPO" rev-parse --short HEAD); list: \`$LIST\` ($NUM entries)."
  echo "Build: \`$BUILD\` (RelWithDebInfo). Tests: \`timeout $CTEST_OUTER ctest --test-dir build-mut -j2 --timeout $CTEST_EACH\`;"
  echo "the unmutated suite (${NTESTS:-?} tests) passed before the run, and after it: $AFTER."
  echo
  echo "| id | file | result | failing tests |"
  echo "|---|---|---|---|"
  cat "$ROWS"
  echo
  echo "$NCAUGHT caught / $NUM"
  echo
  echo "Missed ($NMISSED): $(join "${MISSED_IDS[@]}")"
  echo "N/A ($NNA): $(join "${NA_IDS[@]}")"
  echo "NOBUILD ($NNOBUILD): $(join "${NOBUILD_IDS[@]}")"
} >"$OUT"
log "done: $NCAUGHT caught / $NUM (missed: $(join "${MISSED_IDS[@]}"))"
