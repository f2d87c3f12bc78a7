#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Safe to run again: it asks apt only for what is missing.
set -euo pipefail

packages=(
  # build (python3 and unicode-data generate the code page 1252 fallback table)
  cmake ninja-build g++ pkg-config python3 unicode-data clang-format
  # program
  qt6-base-dev libqt6sql6-sqlite libsqlite3-dev libjpeg-dev libpng-dev nlohmann-json3-dev
  # the pages of Page Preview (LibreOffice, which makes the PDF, is only recommended)
  qt6-pdf-dev
  # mail over TLS and the password in the desktop's keyring (openssl makes the tests' certificates)
  libssl-dev qtkeychain-qt6-dev openssl
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev sqlite3 xvfb xauth
  # the JSON Resume schema check of exported files (rfc3987 lets it check web addresses)
  python3-jsonschema python3-rfc3987
  # real peers for interop tests
  python3-aiosmtpd libreoffice-writer-nogui unrtf pandoc poppler-utils
  # PDF conversions through one listening LibreOffice (its UNO interface for Python 3)
  python3-uno
  # peer template engines and measuring tools of bench/compare.sh
  python3-jinja2 time
  # sanitizers and fuzzing (clang with libFuzzer)
  clang libclang-rt-14-dev
  # the Debian package and the checks of what an install puts on the desktop
  dpkg-dev debhelper fakeroot lintian desktop-file-utils appstream libxml2-utils
  shared-mime-info
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = "installed" ] || missing+=("$p")
done
# Handlebars runs on Node.js. Machines may already carry a Node.js build of their
# own that bundles npm and conflicts with Debian's npm package: ask for Debian's
# only when there is no npm at all.
command -v npm >/dev/null 2>&1 || missing+=(nodejs npm)
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq "${missing[@]}"
