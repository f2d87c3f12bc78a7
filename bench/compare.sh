#!/usr/bin/env bash
# Renders the same five-column RTF table from the same SQLite file with three engines,
# Vitacraft's (vitacraft-cli render), Jinja2 and Handlebars, checks that all three write
# the same bytes, then times them and prints a table; then the résumé export against
# the cost of a process that only copies the template.
#
# Usage: bench/compare.sh [RUNS]   (RUNS, default 5: timed runs per engine and size)
# Environment: SIZES (default "1000 10000 100000"), WORK (default build/bench-compare).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-5}
sizes=${SIZES:-"1000 10000 100000"}
work=${WORK:-$root/build/bench-compare}
cli=$root/build/bin/vitacraft-cli
peers=$root/bench/peers
templates=$root/bench/templates
python=/usr/bin/python3
query="SELECT id, name, amount, born, link FROM items ORDER BY id"
# Every engine formats numbers and dates with the same (US English) conventions.
export LC_ALL=C.UTF-8

die() { echo "compare.sh: $*" >&2; exit 1; }

[ -x "$cli" ] || die "build vitacraft-cli first (make build)"
[ -x /usr/bin/time ] || die "GNU time is missing (apt-get install time)"
"$python" -c 'import jinja2' 2>/dev/null || die "python3-jinja2 is missing (apt-get install python3-jinja2)"
command -v node >/dev/null && command -v npm >/dev/null || die "nodejs and npm are missing"
if [ ! -d "$peers/node_modules/handlebars" ] || [ ! -d "$peers/node_modules/better-sqlite3" ]; then
  echo "Installing the Handlebars peer (npm ci; better-sqlite3 may compile for a few minutes)..."
  (cd "$peers" && npm ci --no-audit --no-fund >/dev/null)
fi

mkdir -p "$work"

render() { # engine rows output [wrapper command...]
  local engine=$1 db=$work/items-$2.db out=$3
  shift 3
  case $engine in
    vitacraft) "$@" "$cli" render "$templates/table.rtf" "$out" --db "$db" --dataset "$query" \
                 --var YearFormat=yyyy --lang 1033 ;;
    jinja2) "$@" "$python" "$peers/render_jinja.py" "$templates/table.jinja.rtf" "$db" "$out" ;;
    handlebars) "$@" node "$peers/render_handlebars.js" "$templates/table.hbs.rtf" "$db" "$out" ;;
  esac
}

now_us() { local t=${EPOCHREALTIME/[.,]/}; echo "$t"; }

median() { sort -g | awk '{v[NR]=$1} END {print (NR % 2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2}'; }

engines="vitacraft jinja2 handlebars"
for n in $sizes; do
  [ -f "$work/items-$n.db" ] || "$python" "$peers/make_db.py" "$work/items-$n.db" "$n"
  for e in $engines; do render "$e" "$n" "$work/$e-$n.rtf"; done
  for e in jinja2 handlebars; do
    cmp -s "$work/vitacraft-$n.rtf" "$work/$e-$n.rtf" ||
      die "$e wrote other bytes than vitacraft for $n rows ($work/$e-$n.rtf)"
  done
done
echo "All three engines write the same bytes for: $sizes rows."

declare -A seconds memory
for n in $sizes; do
  for e in $engines; do : >"$work/times-$e-$n"; done
  # Engines take turns run by run, so that a change in the machine's load falls on all.
  for ((r = 0; r < runs; r++)); do
    for e in $engines; do
      t0=$(now_us); render "$e" "$n" "$work/$e-$n.rtf"; t1=$(now_us)
      echo "$(( t1 - t0 ))" >>"$work/times-$e-$n"
    done
  done
  for e in $engines; do
    seconds[$e,$n]=$(median <"$work/times-$e-$n" | awk '{printf "%.4f", $1 / 1e6}')
    render "$e" "$n" "$work/$e-$n.rtf" /usr/bin/time -f %M -o "$work/mem-$e-$n"
    memory[$e,$n]=$(tail -1 "$work/mem-$e-$n")
  done
done

printf '\n%-11s %8s %12s %12s %10s %9s\n' engine rows "median s" "rows/s" "peak MiB" "vs ours"
for n in $sizes; do
  for e in $engines; do
    awk -v e="$e" -v n="$n" -v s="${seconds[$e,$n]}" -v m="${memory[$e,$n]}" \
        -v o="${seconds[vitacraft,$n]}" \
        'BEGIN {printf "%-11s %8d %12.4f %12.0f %10.1f %8.1fx\n", e, n, s, n / s, m / 1024, s / o}'
  done
done

# The résumé export as a whole process against a process that only copies the template.
sample=$root/build/bin/sample.vcw
template=$root/build/bin/templates/ContemporaryResume.rtf
export_runs=$(( runs * 4 + 1 ))
: >"$work/times-export"; : >"$work/times-cat"
for ((r = 0; r < export_runs; r++)); do
  t0=$(now_us); "$cli" export "$sample" "$work/sample.doc"; t1=$(now_us)
  echo "$(( t1 - t0 ))" >>"$work/times-export"
  t0=$(now_us); sh -c "cat '$template' > '$work/template-copy.rtf'"; t1=$(now_us)
  echo "$(( t1 - t0 ))" >>"$work/times-cat"
done
export_s=$(median <"$work/times-export" | awk '{printf "%.4f", $1 / 1e6}')
cat_s=$(median <"$work/times-cat" | awk '{printf "%.4f", $1 / 1e6}')
printf '\nrésumé export %.4f s, cat of the template %.4f s (medians of %d runs)\n' \
  "$export_s" "$cat_s" "$export_runs"

# The targets, as ratios of this one run.
last=${sizes##* }
prev=$(echo "$sizes" | awk '{print $(NF-1)}')
echo
awk -v o="${seconds[vitacraft,$last]}" -v j="${seconds[jinja2,$last]}" \
    -v h="${seconds[handlebars,$last]}" -v n="$last" -v op="${seconds[vitacraft,$prev]}" \
    -v p="$prev" -v m="${memory[vitacraft,$last]}" -v ex="$export_s" -v ca="$cat_s" '
  function verdict(ok) { return ok ? "met" : "NOT met" }
  BEGIN {
    f = (j < h ? j : h) / o
    printf "%d rows: %.1f times faster than the faster peer (target 5): %s\n", n, f, verdict(f >= 5)
    g = o / op
    limit = 1.2 * n / p
    printf "growth %d -> %d rows: %.1f times the time (target at most %.0f): %s\n", p, n, g, limit, verdict(g <= limit)
    printf "peak memory at %d rows: %.1f MiB (target at most 64): %s\n", n, m / 1024, verdict(m / 1024 <= 64)
    r = ex / ca
    printf "résumé export: %.1f times the template copy (target at most 3): %s\n", r, verdict(r <= 3)
  }'
