#!/usr/bin/env bash
# PDF export of the sample résumé. A bare `soffice --convert-to pdf` of the RTF
# document against `vitacraft-cli export sample.vcw OUT.pdf` (generation plus the
# conversion, one per run) and against vitacraft-pdf-bench, which converts the
# document LATER+1 times through one PdfConverter: the first conversion starts the
# listening LibreOffice, the later ones use it. All use one warmed profile folder;
# the three take turns in each of RUNS rounds, so a busy machine slows them alike.
# Medians of RUNS, and the mean and maximum of every later conversion.
set -euo pipefail
bin=${1:-build/bin}
runs=${RUNS:-5}
later=${LATER:-5}
command -v soffice >/dev/null || { echo "pdf: LibreOffice is not installed, skipped"; exit 0; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CACHE_HOME="$work/cache"
profile="file://$XDG_CACHE_HOME/vitacraft/libreoffice-profile"
mkdir -p "$work/converted"
"$bin/vitacraft-cli" export "$bin/sample.vcw" "$work/sample.rtf"
# The first run makes the profile; it is not measured.
"$bin/vitacraft-cli" export "$bin/sample.vcw" "$work/warm.pdf"

seconds() { /usr/bin/time -f %e "$@" 2>&1 >/dev/null | tail -1; }
for _ in $(seq "$runs"); do
  seconds soffice "-env:UserInstallation=$profile" --headless --norestore \
    --convert-to pdf --outdir "$work/bare" "$work/sample.rtf" >>"$work/bare.txt"
  seconds "$bin/vitacraft-cli" export "$bin/sample.vcw" "$work/ours.pdf" >>"$work/cli.txt"
  if [ -x "$bin/vitacraft-pdf-bench" ]; then
    # Its lines: the first conversion, the later ones, then ending LibreOffice.
    "$bin/vitacraft-pdf-bench" "$work/sample.rtf" "$work/converted" $((later + 1)) >"$work/one.txt"
    head -n 1 "$work/one.txt" >>"$work/first.txt"
    sed -n "2,$((later + 1))p" "$work/one.txt" >>"$work/later.txt"
  fi
done

median() { sort -n "$1" | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
bare=$(median "$work/bare.txt")
cli=$(median "$work/cli.txt")
printf '| conversion | seconds | vs bare |\n| --- | ---: | ---: |\n'
printf '| bare soffice --convert-to pdf (median) | %s | 1.00x |\n' "$bare"
printf '| vitacraft-cli export OUT.pdf (median) | %s | %sx |\n' "$cli" "$(ratio "$cli" "$bare")"
if [ -s "$work/first.txt" ]; then
  first=$(median "$work/first.txt")
  printf '| PdfConverter, first conversion (median) | %.2f | %sx |\n' "$first" \
    "$(ratio "$first" "$bare")"
  awk -v bare="$bare" '{s += $1; if ($1 > m) m = $1} END {
    printf "| PdfConverter, %d later conversions (mean) | %.2f | %.2fx |\n", NR, s / NR, s / NR / bare
    printf "| PdfConverter, later conversions (max) | %.2f | %.2fx |\n", m, m / bare }' "$work/later.txt"
fi
