#!/usr/bin/env bash
# Runs every fuzz target in build-fuzz for the given number of seconds each, one
# after the other, starting from the seeds in fuzz/corpus. New inputs go to a
# scratch corpus under build-fuzz, so the repository's seeds stay as they are;
# a crash leaves its input in build-fuzz/artifacts and fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=build-fuzz
mkdir -p "$build/artifacts"
status=0
for target in template fragment rtftext picture smtpreply format; do
  name=fuzz_$target
  scratch="$build/corpus/$name"
  mkdir -p "$scratch"
  dict=()
  case $target in template|fragment) dict=(-dict=fuzz/rtf.dict) ;; esac
  echo "== $name for ${seconds}s"
  if ! "$build/$name" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2560 \
      -max_len=65536 -print_final_stats=1 "${dict[@]}" \
      -artifact_prefix="$build/artifacts/$name-" "$scratch" "fuzz/corpus/$name" \
      >"$build/$name.log" 2>&1; then
    status=1
    echo "$name FAILED; see $build/$name.log"
    grep -m1 -A12 "ERROR\|SUMMARY\|deadly" "$build/$name.log" || true
  fi
  grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$build/$name.log" || true
done
exit $status
