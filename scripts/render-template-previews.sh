#!/usr/bin/env bash
# Renders the preview picture of every résumé template in templates/: the sample
# résumé exported with the template on Letter paper, its first page converted by
# LibreOffice and pdftoppm into templates/<FileBase>.png, 300 pixels wide. Run it
# after changing a template and commit the PNGs with it; the format dialog shows them.
# Needs a build (build/bin/vitacraft-cli and build/bin/sample.vcw), soffice and
# pdftoppm (Debian packages libreoffice-writer-nogui and poppler-utils).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bin="${1:-$root/build/bin}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

documents=()
for template in "$root"/templates/*.rtf; do
  base="$(basename "$template" .rtf)"
  "$bin/vitacraft-cli" export "$bin/sample.vcw" "$work/$base.doc" \
    --template "$template" --paper letter
  documents+=("$work/$base.doc")
done
# One LibreOffice start for all of them, with a profile of its own.
soffice -env:UserInstallation="file://$work/profile" --headless --convert-to pdf \
  --outdir "$work" "${documents[@]}" >/dev/null 2>&1
for document in "${documents[@]}"; do
  base="$(basename "$document" .doc)"
  pdftoppm -png -f 1 -l 1 -singlefile -scale-to-x 300 -scale-to-y -1 \
    "$work/$base.pdf" "$root/templates/$base"
  echo "templates/$base.png"
done
