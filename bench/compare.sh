#!/usr/bin/env bash
# Renders RTF tables from the same SQLite file with three engines, Vitacraft's
# (vitacraft-cli render), Jinja2 and Handlebars, checks that all three write the same
# bytes, then times them as whole processes and prints one table:
#   table  five columns in table cells (escaped text, an amount, a year, a hyperlink);
#   rows   one paragraph per record through FNUM, FDTM and FLNK, beside `sqlite3`
#          printing the same columns of the same rows to a file, the floor for reading
#          them and writing text;
#   export the résumé export beside a process that only copies the template.
#
# Usage: bench/compare.sh [RUNS]   (RUNS, default 5: timed runs per engine and size)
# Environment: SIZES (default "1000 10000 100000") for the table, ROW_SIZES (default
# "10000 100000") for the rows, WORK (default build/bench-compare).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-5}
sizes=${SIZES:-"1000 10000 100000"}
row_sizes=${ROW_SIZES:-"10000 100000"}
work=${WORK:-$root/build/bench-compare}
cli=$root/build/bin/vitacraft-cli
peers=$root/bench/peers
templates=$root/bench/templates
python=/usr/bin/python3
query="SELECT id, name, amount, born, link FROM items ORDER BY id"
# The rows template names its columns as it reads them; the peers read the query above.
row_query="SELECT name AS Name, amount AS Amount, born AS D, link AS Link, id AS N FROM items ORDER BY id"
sqlite_query="SELECT name, amount, born, link, id FROM items ORDER BY id"
# Every engine formats numbers and dates with the same (US English) conventions.
export LC_ALL=C.UTF-8

die() { echo "compare.sh: $*" >&2; exit 1; }

[ -x "$cli" ] || die "build vitacraft-cli first (make build)"
command -v sqlite3 >/dev/null || die "sqlite3 is missing (apt-get install sqlite3)"
[ -x /usr/bin/time ] || die "GNU time is missing (apt-get install time)"
"$python" -c 'import jinja2' 2>/dev/null || die "python3-jinja2 is missing (apt-get install python3-jinja2)"
command -v node >/dev/null && command -v npm >/dev/null || die "nodejs and npm are missing"
if [ ! -d "$peers/node_modules/handlebars" ] || [ ! -d "$peers/node_modules/better-sqlite3" ]; then
  echo "Installing the Handlebars peer (npm ci; better-sqlite3 may compile for a few minutes)..."
  (cd "$peers" && npm ci --no-audit --no-fund >/dev/null)
fi

mkdir -p "$work"

render() { # case engine rows output [wrapper command...]
  local case=$1 engine=$2 db=$work/items-$3.db out=$4
  shift 4
  case $engine in
    vitacraft)
      if [ "$case" = rows ]; then
        "$@" "$cli" render "$templates/rows.rtf" "$out" --db "$db" --dataset "$row_query" --lang 1033
      else
        "$@" "$cli" render "$templates/table.rtf" "$out" --db "$db" --dataset "$query" \
          --var YearFormat=yyyy --lang 1033
      fi ;;
    jinja2) "$@" "$python" "$peers/render_jinja.py" "$templates/$case.jinja.rtf" "$db" "$out" ;;
    handlebars) "$@" node "$peers/render_handlebars.js" "$templates/$case.hbs.rtf" "$db" "$out" ;;
    sqlite3) "$@" sqlite3 "$db" "$sqlite_query" >"$out" ;;
  esac
}

now_us() { local t=${EPOCHREALTIME/[.,]/}; echo "$t"; }

median() { sort -g | awk '{v[NR]=$1} END {print (NR % 2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2}'; }

declare -A seconds memory
# Times every engine of a case at one size; engines take turns run by run, so that a
# change in the machine's load falls on all.
measure() { # case rows engines...
  local case=$1 n=$2 e r t0 t1
  shift 2
  for e in "$@"; do : >"$work/times-$case-$e-$n"; done
  for ((r = 0; r < runs; r++)); do
    for e in "$@"; do
      t0=$(now_us); render "$case" "$e" "$n" "$work/$case-$e-$n.out"; t1=$(now_us)
      echo "$(( t1 - t0 ))" >>"$work/times-$case-$e-$n"
    done
  done
  for e in "$@"; do
    seconds[$case,$e,$n]=$(median <"$work/times-$case-$e-$n" | awk '{printf "%.4f", $1 / 1e6}')
    render "$case" "$e" "$n" "$work/$case-$e-$n.out" /usr/bin/time -f %M -o "$work/mem-$case-$e-$n"
    memory[$case,$e,$n]=$(tail -1 "$work/mem-$case-$e-$n")
  done
}

engines="vitacraft jinja2 handlebars"
for n in $sizes $row_sizes; do
  [ -f "$work/items-$n.db" ] || "$python" "$peers/make_db.py" "$work/items-$n.db" "$n"
done
for case in table rows; do
  [ $case = table ] && case_sizes=$sizes || case_sizes=$row_sizes
  for n in $case_sizes; do
    for e in $engines; do render "$case" "$e" "$n" "$work/$case-$e-$n.out"; done
    for e in jinja2 handlebars; do
      cmp -s "$work/$case-vitacraft-$n.out" "$work/$case-$e-$n.out" ||
        die "$e wrote other bytes than vitacraft for $n $case ($work/$case-$e-$n.out)"
    done
  done
done
echo "All three engines write the same bytes for: $sizes table rows, $row_sizes paragraph rows."

for n in $sizes; do measure table "$n" $engines; done
for n in $row_sizes; do measure rows "$n" $engines sqlite3; done

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

row() { # case engine rows seconds KiB ours
  awk -v c="$1" -v e="$2" -v n="$3" -v s="$4" -v m="$5" -v o="$6" 'BEGIN {
    mem = m == "" ? "-" : sprintf("%.1f", m / 1024)
    printf "%-7s %-11s %8d %10.4f %11.0f %9s %8.1fx\n", c, e, n, s, n / s, mem, s / o }'
}
printf '\n%-7s %-11s %8s %10s %11s %9s %9s\n' case engine rows "median s" "rows/s" "peak MiB" "vs ours"
for n in $sizes; do
  for e in $engines; do
    row table "$e" "$n" "${seconds[table,$e,$n]}" "${memory[table,$e,$n]}" "${seconds[table,vitacraft,$n]}"
  done
done
for n in $row_sizes; do
  for e in $engines sqlite3; do
    row rows "$e" "$n" "${seconds[rows,$e,$n]}" "${memory[rows,$e,$n]}" "${seconds[rows,vitacraft,$n]}"
  done
done
row export vitacraft 1 "$export_s" "" "$export_s"
row export cat 1 "$cat_s" "" "$export_s"
printf '(medians of %d runs; export and cat of %d)\n' "$runs" "$export_runs"

# The targets, as ratios of this one run.
last=${sizes##* }
prev=$(echo "$sizes" | awk '{print $(NF-1)}')
row_last=${row_sizes##* }
row_prev=$(echo "$row_sizes" | awk '{print $(NF-1)}')
echo
awk -v o="${seconds[table,vitacraft,$last]}" -v j="${seconds[table,jinja2,$last]}" \
    -v h="${seconds[table,handlebars,$last]}" -v n="$last" -v op="${seconds[table,vitacraft,$prev]}" \
    -v p="$prev" -v m="${memory[table,vitacraft,$last]}" -v ex="$export_s" -v ca="$cat_s" \
    -v ro="${seconds[rows,vitacraft,$row_last]}" -v rj="${seconds[rows,jinja2,$row_last]}" \
    -v rh="${seconds[rows,handlebars,$row_last]}" -v rs="${seconds[rows,sqlite3,$row_last]}" \
    -v rop="${seconds[rows,vitacraft,$row_prev]}" -v rn="$row_last" -v rp="$row_prev" \
    -v rm="${memory[rows,vitacraft,$row_last]}" '
  function verdict(ok) { return ok ? "met" : "NOT met" }
  BEGIN {
    f = (j < h ? j : h) / o
    printf "table, %d rows: %.1f times faster than the faster peer (target 5): %s\n", n, f, verdict(f >= 5)
    g = o / op
    limit = 1.2 * n / p
    printf "table, growth %d -> %d rows: %.1f times the time (target at most %.0f): %s\n", p, n, g, limit, verdict(g <= limit)
    printf "table, peak memory at %d rows: %.1f MiB (target at most 64): %s\n", n, m / 1024, verdict(m / 1024 <= 64)
    f = (rj < rh ? rj : rh) / ro
    printf "rows, %d rows: %.1f times faster than the faster peer (target 6): %s\n", rn, f, verdict(f >= 6)
    q = ro / rs
    printf "rows, %d rows: %.2f times sqlite3 (target at most 1.5): %s\n", rn, q, verdict(q <= 1.5)
    g = ro / rop
    limit = rn / rp
    printf "rows, growth %d -> %d rows: %.1f times the time (target at most %.0f): %s\n", rp, rn, g, limit, verdict(g <= limit)
    printf "rows, peak memory at %d rows: %.1f MiB (target under 16): %s\n", rn, rm / 1024, verdict(rm / 1024 < 16)
    r = ex / ca
    printf "résumé export: %.1f times the template copy (target at most 3): %s\n", r, verdict(r <= 3)
  }'
