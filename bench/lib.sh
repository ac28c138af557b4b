# Sourced by the goal scripts that scripts/bench.sh runs: printing a figure beside its goal, and
# seeding clip files quickly. Needs nothing else; the scripts that start the program source
# tests/e2e/lib.sh as well.

# bench_figure NUMBER WHAT VALUE UNIT OP GOAL: one line of the summary, e.g.
#   bench_figure 1 "start-up, cache, 32,000 clips vs none" 1.31 x "<=" 1.5
bench_figure() {
  local verdict
  verdict=$(awk -v v="$3" -v op="$5" -v g="$6" 'BEGIN {
    ok = (op == "<=") ? v <= g : (op == "<") ? v < g : (op == ">=") ? v >= g : v > g
    print ok ? "met" : "MISSED" }')
  printf '(%s) %-52s %9s %-3s goal %s %s %-3s %s\n' "$1" "$2" "$3" "$4" "$5" "$6" "$4" "$verdict"
}

# bench_seed FOLDER N: clip files 1..N of about 80 characters each, written directly.
bench_seed() {
  rm -rf "$1" && mkdir -p "$1"
  perl -e 'my ($d, $n) = @ARGV; for my $i (1 .. $n) { my $t = "clip number $i: the quick brown fox jumps over the lazy dog, twice.";
    open(my $f, ">:raw", "$d/Clip$i.qms") or die; print $f pack("v*", map ord, split //, $t) }' "$1" "$2"
}

# bench_median NUMBERS...: the middle one (the upper middle of an even count).
bench_median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int(NR / 2) + 1] }'; }
# bench_ms T0: milliseconds since T0 (from date +%s%N).
bench_ms() { echo $(( ($(date +%s%N) - $1) / 1000000 )); }

# bench_start_until LINE ARGS...: starts Quillmate.exe with ARGS (tests/e2e/lib.sh's folders) and sets
# MS to the milliseconds until LINE stands in its log.
bench_start_until() {
  local line=$1 t0; shift
  rm -f "$QM_DIR/Log.txt"
  t0=$(date +%s%N)
  (cd "$QM_DIR" && exec wine Quillmate.exe "$@" >/dev/null 2>&1) &
  QM_PID=$!; QM_PIDS+=("$QM_PID")
  until grep -qF -- "$line" "$QM_DIR/Log.txt" 2>/dev/null; do
    [ "$(bench_ms "$t0")" -lt 600000 ] || qm_fail "no line '$line'"
    sleep 0.005
  done
  MS=$(bench_ms "$t0")
}
