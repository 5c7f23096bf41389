#!/usr/bin/env bash
# Times jobs done by Tovin (its text buffer, its editing view) and by a peer tool on the same generated text, side by side.
#
#   bench/compare.sh [JOB...]        (default: every job in ALL_JOBS)
#
# Builds the Release tools in build-bench, writes SIZE_MB (default 100) megabytes of the
# benchmark text in LF and CR LF form into a temporary folder, then for each job times the
# peer's command and ours in the same run and prints medians and the ratio peer/tovin (above
# 1 means we are faster). Each run starts from a fresh copy of the text, so every run sees
# the same bytes. hyperfine is used when present (--warmup 1 --runs $RUNS), otherwise a bash
# loop; peak memory comes from one more run of each under /usr/bin/time.
# Environment: BUILD_DIR, SIZE_MB, RUNS, TMPDIR, KEEP_JSON (a folder for hyperfine's JSON),
# HYPERFINE (empty: use the bash loop even where hyperfine is installed).
#
# Jobs: open (load and paint the first screen, vim), load+save (vim), replace all and save (sed, vim: ours is Replace All in the replace
# dialog over the editing view, then a save), find (grep -c and grep -ci: ours counts the
# lines holding the word by the view's SearchText), find of a word on the last line only (grep
# -c against our search in the open file), and the edit latency right after opening (ours
# alone: edits at random lines, keys on one line). Our tools also print, once per job, how
# their time splits between loading and the work itself.
#
# A new job is a function job_NAME that calls compare (see there) and a line in ALL_JOBS.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD_DIR=${BUILD_DIR:-build-bench}
SIZE_MB=${SIZE_MB:-100}
RUNS=${RUNS:-5}
ALL_JOBS=(open loadsave_lf loadsave_crlf replace_sed replace_vim find find_any_case find_last find_last_any_case edits)

GENTEXT="$PWD/$BUILD_DIR/bench/tovin-gentext"
LOADSAVE="$PWD/$BUILD_DIR/bench/tovin-loadsave"
REPLACE="$PWD/$BUILD_DIR/bench/tovin-replace"
FIND="$PWD/$BUILD_DIR/bench/tovin-find"
OPEN="$PWD/$BUILD_DIR/bench/tovin-open"
VIM=$(command -v vim || true)
HYPERFINE=${HYPERFINE-$(command -v hyperfine || true)}
GNU_TIME=""
[[ -x /usr/bin/time ]] && GNU_TIME=/usr/bin/time

WORK=$(mktemp -d "${TMPDIR:-/tmp}/tovin-compare-XXXXXX")
trap 'rm -rf "$WORK"' EXIT
: >"$WORK/notes"
TEXT_LF="$WORK/text-lf.txt"
TEXT_CRLF="$WORK/text-crlf.txt"
TEXT_LAST="$WORK/text-last.txt"  # the LF text and one more line holding a word found nowhere else
LAST_WORD=zyzzyva

build() {
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOVIN_BENCH=ON -DTOVIN_TESTS=OFF >/dev/null
  cmake --build "$BUILD_DIR" --target tovin-gentext tovin-loadsave tovin-replace tovin-find tovin-open >/dev/null
}

generate() {
  "$GENTEXT" "$SIZE_MB" "$TEXT_LF"
  "$GENTEXT" "$SIZE_MB" "$TEXT_CRLF" --crlf
  { cat "$TEXT_LF"; echo "int $LAST_WORD = 0;"; } >"$TEXT_LAST"
}

median() { sort -g | awk '{v[NR] = $1} END {if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

# Runs a command with its output thrown away. A job that sets OUTPUT_PIPE sends the output
# through a pipe first: grep notices an output of /dev/null and stops at the first match.
run_quiet() {
  if [[ -n ${OUTPUT_PIPE:-} ]]; then
    "$@" </dev/null | cat >/dev/null
  else
    "$@" </dev/null >/dev/null
  fi
}

# Peak resident set of one run in KiB, or "-" when GNU time is missing.
peak_rss() {
  local prepare=$1 cmd=$2
  [[ -n $GNU_TIME ]] || { echo -; return; }
  bash -c "$prepare"
  run_quiet "$GNU_TIME" -f %M -o "$WORK/rss" bash -c "$cmd" 2>/dev/null
  tail -n 1 "$WORK/rss"
}

# Median wall seconds of RUNS runs of two commands, each run after its own preparation;
# prints "peerSeconds tovinSeconds".
time_pair() {
  local peer_prepare=$1 peer_cmd=$2 tovin_prepare=$3 tovin_cmd=$4
  if [[ -n $HYPERFINE ]]; then
    local json="$WORK/hyperfine.json"
    "$HYPERFINE" --style none --warmup 1 --runs "$RUNS" --export-json "$json" ${OUTPUT_PIPE:+--output=pipe} \
      --prepare "$peer_prepare" -n peer "$peer_cmd" \
      --prepare "$tovin_prepare" -n tovin "$tovin_cmd" >/dev/null 2>"$WORK/hyperfine.err"
    # hyperfine's warnings (a slow first run, outliers) are worth seeing, but below the table row.
    grep -h 'Warning' "$WORK/hyperfine.err" | sed 's/^ *Warning: /  note: /; s/\. .*/./' >"$WORK/notes" || true
    [[ -z ${KEEP_JSON:-} ]] || cp "$json" "$KEEP_JSON/$CURRENT_JOB.json"
    if command -v jq >/dev/null; then
      jq -r '[.results[].median] | map(tostring) | join(" ")' "$json"
    else
      python3 -c 'import json,sys; print(" ".join(str(r["median"]) for r in json.load(open(sys.argv[1]))["results"]))' "$json"
    fi
    return
  fi
  # Without hyperfine: one warm-up each, then the two commands take turns, so that a busy
  # moment on a shared machine falls on both alike. The clock is read around each run
  # rather than taken from time's %e, whose hundredths are too coarse for short jobs.
  local run peer_times=() tovin_times=() t0 t1
  bash -c "$peer_prepare"; run_quiet bash -c "$peer_cmd"
  bash -c "$tovin_prepare"; run_quiet bash -c "$tovin_cmd"
  for ((run = 0; run < RUNS; run++)); do
    bash -c "$peer_prepare"
    t0=$(date +%s%N); run_quiet bash -c "$peer_cmd"; t1=$(date +%s%N)
    peer_times+=("$(awk -v a="$t0" -v b="$t1" 'BEGIN {print (b - a) / 1e9}')")
    bash -c "$tovin_prepare"
    t0=$(date +%s%N); run_quiet bash -c "$tovin_cmd"; t1=$(date +%s%N)
    tovin_times+=("$(awk -v a="$t0" -v b="$t1" 'BEGIN {print (b - a) / 1e9}')")
  done
  echo "$(printf '%s\n' "${peer_times[@]}" | median) $(printf '%s\n' "${tovin_times[@]}" | median)"
}

print_header() {
  printf '%-22s %-6s %10s %10s %10s %10s %10s\n' job peer "peer s" "tovin s" peer/tovin "peer MiB" "tovin MiB"
}

# compare LABEL PEER_NAME PEER_PREPARE PEER_CMD TOVIN_PREPARE TOVIN_CMD
# Times both commands, measures one more run of each for its peak memory, prints one row.
compare() {
  local label=$1 peer=$2 peer_prepare=$3 peer_cmd=$4 tovin_prepare=$5 tovin_cmd=$6
  local times peer_s tovin_s peer_kb tovin_kb
  times=$(time_pair "$peer_prepare" "$peer_cmd" "$tovin_prepare" "$tovin_cmd")
  read -r peer_s tovin_s <<<"$times"
  peer_kb=$(peak_rss "$peer_prepare" "$peer_cmd")
  tovin_kb=$(peak_rss "$tovin_prepare" "$tovin_cmd")
  awk -v l="$label" -v p="$peer" -v a="$peer_s" -v b="$tovin_s" -v ma="$peer_kb" -v mb="$tovin_kb" 'BEGIN {
    printf "%-22s %-6s %10.3f %10.3f %10.2f %10s %10s\n", l, p, a, b, a / b,
      ma == "-" ? "-" : sprintf("%.0f", ma / 1024), mb == "-" ? "-" : sprintf("%.0f", mb / 1024)
  }'
  cat "$WORK/notes" >&2
  : >"$WORK/notes"
}

# Both programs must have written back exactly the bytes they read.
check_round_trip() {
  local original=$1 copy=$2 who=$3
  cmp -s "$original" "$copy" || echo "  warning: $who did not write back the same bytes" >&2
}

# The words given, quoted for bash -c.
words() {
  local out
  printf -v out '%q ' "$@"
  echo "${out% }"
}

# Load a file and save it unchanged: vim's write, ours through the text buffer.
loadsave() {
  local label=$1 text=$2
  local vim_copy="$WORK/vim-copy.txt" tovin_copy="$WORK/tovin-copy.txt"
  compare "$label" vim \
    "$(words cp "$text" "$vim_copy")" "$(words "$VIM" -N -es -u NONE -i NONE -n -c wq "$vim_copy")" \
    "$(words cp "$text" "$tovin_copy")" "$(words "$LOADSAVE" "$tovin_copy")"
  check_round_trip "$text" "$vim_copy" vim
  check_round_trip "$text" "$tovin_copy" tovin
  rm -f "$vim_copy" "$tovin_copy"
}

job_loadsave_lf() { loadsave "load+save LF" "$TEXT_LF"; }
job_loadsave_crlf() { loadsave "load+save CR LF" "$TEXT_CRLF"; }

# Every foo replaced by bar (also inside foobar, in its exact case) and the file saved:
# sed's or vim's way, ours through Replace All in the replace dialog over the editing view.
# All of them must write the same bytes.
replace_all() {
  local label=$1 peer=$2 text=$3
  local peer_copy="$WORK/peer-copy.txt" tovin_copy="$WORK/tovin-copy.txt" peer_cmd
  case $peer in
    sed) peer_cmd=$(words sed -i s/foo/bar/g "$peer_copy") ;;
    vim) peer_cmd=$(words "$VIM" -N -es -u NONE -i NONE -n -c %s/foo/bar/g -c wq "$peer_copy") ;;
  esac
  compare "$label" "$peer" "$(words cp "$text" "$peer_copy")" "$peer_cmd" \
    "$(words cp "$text" "$tovin_copy")" "$(words "$REPLACE" "$tovin_copy" foo bar)"
  cmp -s "$peer_copy" "$tovin_copy" || echo "  warning: $peer and tovin did not write the same bytes" >&2
  cp "$text" "$tovin_copy"
  "$REPLACE" -v "$tovin_copy" foo bar 2>&1 | sed 's/^tovin-replace: /  note: tovin split: /' >&2
  rm -f "$peer_copy" "$tovin_copy"
}

job_replace_sed() { replace_all "replace all+save" sed "$TEXT_LF"; }
job_replace_vim() { replace_all "replace all+save" vim "$TEXT_LF"; }

# The lines holding foo counted: grep -c, ours by SearchText from match to match. Both
# must count the same lines.
find_word() {
  local label=$1 flag=${2:-}
  local OUTPUT_PIPE=1
  local grep_args=(-c) find_args=()
  [[ -z $flag ]] || { grep_args+=("$flag"); find_args+=("$flag"); }
  compare "$label" grep true "$(words grep "${grep_args[@]}" foo "$TEXT_LF")" \
    true "$(words "$FIND" "${find_args[@]}" "$TEXT_LF" foo)"
  local theirs ours
  theirs=$(grep "${grep_args[@]}" foo "$TEXT_LF")
  ours=$("$FIND" -v "${find_args[@]}" "$TEXT_LF" foo 2>"$WORK/find-note")
  [[ $theirs == "$ours" ]] || echo "  warning: grep counted $theirs lines, tovin $ours" >&2
  sed 's/^tovin-find: /  note: tovin split: /' "$WORK/find-note" >&2
}

job_find() { find_word "find foo"; }
job_find_any_case() { find_word "find foo any case" -i; }

# Opening: ours loads the text into the editing view and paints the first screen (headless,
# the C colouring and both scroll bars), vim loads it and quits.
job_open() {
  compare "open (load+paint)" vim true "$(words "$VIM" -N -es -u NONE -i NONE -n -c q! "$TEXT_LF")" \
    true "$(words "$OPEN" "$TEXT_LF")"
}

# Find of a word that only the last line holds, so the whole text is searched: grep -c on the
# file against our Find in the open file (the search alone, which is what the user waits for
# once the file is open; the note gives our load time too).
find_last() {
  local label=$1 flag=${2:-}
  local grep_args=(-c) find_args=(-t) run t0 t1 peer_times=() tovin_times=()
  [[ -z $flag ]] || { grep_args+=("$flag"); find_args+=("$flag"); }
  grep "${grep_args[@]}" "$LAST_WORD" "$TEXT_LAST" | cat >/dev/null
  "$FIND" "${find_args[@]}" "$TEXT_LAST" "$LAST_WORD" >/dev/null
  for ((run = 0; run < RUNS; run++)); do
    t0=$(date +%s%N); grep "${grep_args[@]}" "$LAST_WORD" "$TEXT_LAST" </dev/null | cat >/dev/null; t1=$(date +%s%N)
    peer_times+=("$(awk -v a="$t0" -v b="$t1" 'BEGIN {print (b - a) / 1e9}')")
    tovin_times+=("$("$FIND" "${find_args[@]}" "$TEXT_LAST" "$LAST_WORD")")
  done
  local peer_s tovin_s
  peer_s=$(printf '%s\n' "${peer_times[@]}" | median)
  tovin_s=$(printf '%s\n' "${tovin_times[@]}" | median)
  awk -v l="$label" -v a="$peer_s" -v b="$tovin_s" 'BEGIN {printf "%-22s %-6s %10.3f %10.3f %10.2f %10s %10s\n", l, "grep", a, b, a / b, "-", "-"}'
  local theirs ours
  theirs=$(grep "${grep_args[@]}" "$LAST_WORD" "$TEXT_LAST")
  ours=$("$FIND" -v ${flag:+"$flag"} "$TEXT_LAST" "$LAST_WORD" 2>"$WORK/find-note")
  [[ $theirs == "$ours" ]] || echo "  warning: grep counted $theirs lines, tovin $ours" >&2
  sed 's/^tovin-find: /  note: tovin (search only in the row): /' "$WORK/find-note" >&2
}

job_find_last() { find_last "find last-line word"; }
job_find_last_any_case() { find_last "find last, any case" -i; }

# Edit latency right after opening (no peer): 1,000 edits at random lines (a character, a
# line broken, two lines joined), each with the view's repaint; then keys on one line shown
# mid-screen (a character, Backspace). Medians of RUNS runs of each figure.
job_edits() {
  local run edits=() keys=()
  for ((run = 0; run < RUNS; run++)); do
    edits+=("$("$OPEN" --edits 1000 "$TEXT_LF")")
    keys+=("$("$OPEN" --keys 1000 "$TEXT_LF")")
  done
  # Lines: "edit median_us M p99_us P worst_us W first_us F" then "peak_rss_kib K ratio R".
  field() { printf '%s\n' "$@" | awk -v k="$FIELD" '{for (i = 1; i < NF; i++) if ($i == k) print $(i + 1)}' | median; }
  local e_med e_p99 e_worst k_med k_p99 peak ratio
  e_med=$(FIELD=median_us field "${edits[@]}")
  e_p99=$(FIELD=p99_us field "${edits[@]}")
  e_worst=$(FIELD=worst_us field "${edits[@]}")
  k_med=$(FIELD=median_us field "${keys[@]}")
  k_p99=$(FIELD=p99_us field "${keys[@]}")
  peak=$(FIELD=peak_rss_kib field "${edits[@]}")
  ratio=$(FIELD=ratio field "${edits[@]}")
  printf '%-22s median %.1f us, p99 %.1f us, worst %.1f us (1000 at random lines, with the repaint); peak %.0f MiB, %.2f x the file\n' \
    "edits after opening" "$e_med" "$e_p99" "$e_worst" "$(awk -v k="$peak" 'BEGIN {print k / 1024}')" "$ratio"
  printf '%-22s median %.1f us, p99 %.1f us (a character, then Backspace, on a line shown mid-screen)\n' "keys on one line" "$k_med" "$k_p99"
}

main() {
  local jobs=("$@")
  [[ ${#jobs[@]} -gt 0 ]] || jobs=("${ALL_JOBS[@]}")
  for job in "${jobs[@]}"; do
    declare -F "job_$job" >/dev/null || { echo "compare.sh: no job $job (jobs: ${ALL_JOBS[*]})" >&2; exit 2; }
  done
  [[ -n $VIM ]] || { echo "compare.sh: vim is not installed" >&2; exit 1; }
  build
  generate
  echo "text: $SIZE_MB MB generated C-like text, LF $(stat -c %s "$TEXT_LF") bytes, CR LF $(stat -c %s "$TEXT_CRLF") bytes, in $WORK"
  echo "timing: $([[ -n $HYPERFINE ]] && echo hyperfine || echo 'bash loop'), $RUNS runs, medians; load average at start $(cut -d' ' -f1-3 /proc/loadavg)"
  print_header
  for job in "${jobs[@]}"; do
    CURRENT_JOB=$job
    "job_$job"
  done
  echo "load average at end $(cut -d' ' -f1-3 /proc/loadavg); peer/tovin above 1 means tovin is faster"
}

main "$@"
