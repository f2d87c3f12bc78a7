#!/usr/bin/env bash
# PDF export of the sample résumé: a bare `soffice --convert-to pdf` of the same
# RTF document against `vitacraft-cli export sample.vcw OUT.pdf` (generation plus
# the same conversion). Both use one warmed profile folder; median of RUNS runs.
set -euo pipefail
bin=${1:-build/bin}
runs=${RUNS:-5}
command -v soffice >/dev/null || { echo "pdf: LibreOffice is not installed, skipped"; exit 0; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CACHE_HOME="$work/cache"
profile="file://$XDG_CACHE_HOME/vitacraft/libreoffice-profile"
"$bin/vitacraft-cli" export "$bin/sample.vcw" "$work/sample.rtf"
# The first run makes the profile; it is not measured.
"$bin/vitacraft-cli" export "$bin/sample.vcw" "$work/warm.pdf"

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
measure() {
  for _ in $(seq "$runs"); do
    /usr/bin/time -f %e "$@" 2>&1 >/dev/null | tail -1
  done | median
}
bare=$(measure soffice "-env:UserInstallation=$profile" --headless --norestore \
  --convert-to pdf --outdir "$work/bare" "$work/sample.rtf")
ours=$(measure "$bin/vitacraft-cli" export "$bin/sample.vcw" "$work/ours.pdf")
printf '| conversion | median s | vs bare |\n| --- | ---: | ---: |\n'
printf '| bare soffice --convert-to pdf | %s | 1.00x |\n' "$bare"
printf '| vitacraft-cli export OUT.pdf | %s | %sx |\n' "$ours" \
  "$(awk -v a="$ours" -v b="$bare" 'BEGIN {printf "%.2f", a / b}')"
