#!/usr/bin/env bash
# The install as a user's desktop meets it: the build staged with DESTDIR under a
# prefix it was not configured for, every file in place and valid for the desktop's
# tools, and the installed programs working from a read-only prefix with the
# user's folders in a temporary home, writing nothing under the prefix.
#
#   install-test.sh BUILD_DIR APP_ID VERSION
#
# Exits 77 (skipped) when a validator is missing.
set -euo pipefail

build=$1 app_id=$2 version=$3
resume_type=application/x-vitacraft-resume

for tool in desktop-file-validate appstreamcli xmllint update-mime-database; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
program=
cleanup() {
  [ -z "$program" ] || kill "$program" 2>/dev/null || true
  chmod -R u+w "$work"
  rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

DESTDIR="$work/stage" cmake --install "$build" --prefix /opt/vitacraft >/dev/null
prefix=$work/stage/opt/vitacraft
share=$prefix/share
desktop=$share/applications/$app_id.desktop
metainfo=$share/metainfo/$app_id.metainfo.xml
mime=$share/mime/packages/$app_id.xml

# Every file the desktop and the programs look for.
expected=(
  bin/vitacraft bin/vitacraft-cli
  share/vitacraft/data.mdb share/vitacraft/libreoffice-bridge.py
  "share/applications/$app_id.desktop" "share/metainfo/$app_id.metainfo.xml"
  "share/mime/packages/$app_id.xml"
  "share/icons/hicolor/scalable/apps/$app_id.svg"
  "share/icons/hicolor/scalable/mimetypes/${resume_type/\//-}.svg"
  share/man/man1/vitacraft.1 share/man/man1/vitacraft-cli.1
)
for template in Contemporary Classic Compact Modern; do
  expected+=("share/vitacraft/templates/${template}Resume.rtf"
             "share/vitacraft/templates/${template}Resume.png")
done
for size in 16 22 24 32 48 64 128 256; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/$app_id.png"
             "share/icons/hicolor/${size}x${size}/mimetypes/${resume_type/\//-}.png")
done
for file in "${expected[@]}"; do
  [ -s "$prefix/$file" ] || fail "$file is not installed"
done
# Only the two programs: no test binary, and no build-tree marker that would make
# the installed programs write beside themselves.
programs=$(cd "$prefix/bin" && ls | tr '\n' ' ')
[ "$programs" = "vitacraft vitacraft-cli " ] || fail "bin holds: $programs"
[ -z "$(find "$prefix" -name vitacraft-build-tree)" ] || fail "the build-tree marker is installed"

# What the desktop's own tools say, and one application id throughout.
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the desktop entry"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects the metainfo"
xmllint --noout "$mime" || fail "xmllint rejects the MIME type"
grep -qx "Icon=$app_id" "$desktop" || fail "the desktop entry's icon is not $app_id"
grep -qx "Exec=vitacraft %f" "$desktop" || fail "the desktop entry does not open a file"
grep -qx "MimeType=$resume_type;" "$desktop" || fail "the desktop entry does not list $resume_type"
grep -qF "<id>$app_id</id>" "$metainfo" || fail "the metainfo id is not $app_id"
grep -qF "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
  fail "the metainfo does not launch $app_id.desktop"

# The MIME database the desktop would build from the installed type: *.vcw is a
# résumé, and a résumé is an SQLite database.
mkdir -p "$work/mime/packages"
cp "$mime" "$work/mime/packages/"
XDG_DATA_DIRS=$work update-mime-database "$work/mime"
grep -qx "$resume_type:\*\.vcw" "$work/mime/globs" || fail "*.vcw is not $resume_type"
grep -qx "$resume_type application/vnd.sqlite3" "$work/mime/subclasses" ||
  fail "$resume_type is not a kind of application/vnd.sqlite3"

# The programs from a read-only prefix, for a user whose folders are all new.
snapshot() { (cd "$work/stage" && find . -printf '%p %s %T@ %m\n' | sort); }
chmod -R a-w "$work/stage"
before=$(snapshot)
export HOME=$work/home XDG_DATA_HOME=$work/data XDG_CACHE_HOME=$work/cache XDG_CONFIG_HOME=$work/config
export XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$work/out"
mkdir -m 700 "$XDG_RUNTIME_DIR"
cd "$HOME"
cli=$prefix/bin/vitacraft-cli

[ "$("$cli" --version)" = "vitacraft-cli $version" ] || fail "vitacraft-cli --version: $("$cli" --version)"
"$prefix/bin/vitacraft" --version | grep -qF "$version" || fail "vitacraft --version lacks $version"
"$cli" init "$work/out/resume.vcw" || fail "vitacraft-cli init failed"
"$cli" export "$work/out/resume.vcw" "$work/out/resume.doc" || fail "vitacraft-cli export failed"
[ "$(head -c 5 "$work/out/resume.doc" 2>/dev/null)" = '{\rtf' ] || fail "the export is not an RTF document"

# The desktop program makes the working copy of a new résumé in the user's data
# folder. The wait is generous: it is only the longest a start may take.
QT_QPA_PLATFORM=offscreen "$prefix/bin/vitacraft" >"$work/program.log" 2>&1 &
program=$!
for _ in $(seq 600); do
  [ ! -f "$XDG_DATA_HOME/vitacraft/data.tmp" ] || break
  kill -0 "$program" 2>/dev/null || break
  sleep 0.1
done
[ -f "$XDG_DATA_HOME/vitacraft/data.tmp" ] ||
  fail "no working copy in \$XDG_DATA_HOME/vitacraft: $(cat "$work/program.log")"
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true
program=

[ "$before" = "$(snapshot)" ] || fail "the programs wrote under the prefix"

[ "$failures" -eq 0 ] || exit 1
echo "The install is complete, valid and runs from a read-only prefix."
