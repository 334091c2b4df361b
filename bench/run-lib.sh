# What the run.sh scripts of the Google Benchmark areas share; sourced.

# medians <repetitions> <program> [args...]: the program's cases run so many
# times each, the median row of each as
#   "<name> <real_time> <cpu_time> <time_unit> <bytes_per_second>"
# (fields 1 to 5; no bytes per second is 0).
medians() {
  local repetitions="$1"
  shift
  "$@" --benchmark_color=false --benchmark_format=csv --benchmark_repetitions="$repetitions" \
       --benchmark_report_aggregates_only=true 2>/dev/null |
    awk -F, '$1 ~ /_median"?$/ { gsub(/"/, "", $1); sub(/_median$/, "", $1);
                                 print $1, $3, $4, $5, ($6 == "" ? 0 : $6) }'
}
# get <table> <name> <field 2..5>: the field of the first row whose name
# starts with the given one.
get() { awk -v n="$2" -v f="$3" 'index($1, n) == 1 { print $f; exit }' <<<"$1"; }
# ratio <a> <b> [format]: a / b, "%.3f" unless another format is given.
ratio() { awk -v a="$1" -v b="$2" -v f="${3:-%.3f}" 'BEGIN { printf f "\n", a / b }'; }
# mbps <bytes per second>: megabytes (10^6) per second.
mbps() { awk -v b="$1" 'BEGIN { printf "%.1f\n", b / 1e6 }'; }
# need_corpus <file>...: ends the run when one of the corpora is not there.
need_corpus() {
  local f
  for f in "$@"; do
    [ -f "$f" ] || { echo "run.sh: $f is missing (run bench/editor/make-corpus.sh first)" >&2; exit 1; }
  done
}
# search_cases <command>: runs command for the frequent and the rare word,
# each case-sensitive and not, with the arguments <word> <word's name>
# <case> <case's name> that the search benchmarks and their figures use.
search_cases() {
  local word cs
  for word in 0:frequent 1:rare; do
    for cs in 1:cs 0:ci; do
      "$@" "${word%%:*}" "${word#*:}" "${cs%%:*}" "${cs#*:}"
    done
  done
}
