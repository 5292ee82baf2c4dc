#!/usr/bin/env bash
# Fuzzes the DIB decoder with libFuzzer under ASan and UBSan, after replaying
# the committed seeds. Fails on any crash, leak or sanitizer report.
#   scripts/fuzz.sh short   about a minute (part of `make test`)
#   scripts/fuzz.sh long    ten minutes, or FUZZ_SECONDS (`make fuzz`)
# New interesting inputs stay in build-fuzz/corpus; a crashing input is
# saved under build-fuzz/artifacts/ and can be replayed with
# build-fuzz/dib_replay FILE.
set -euo pipefail

mode=${1:-short}
case "$mode" in
  short) seconds=${FUZZ_SECONDS:-45} ;;
  long) seconds=${FUZZ_SECONDS:-600} ;;
  *) echo "usage: $0 short|long" >&2; exit 2 ;;
esac

cd "$(dirname "$0")/.."
out=build-fuzz
cxx=${FUZZ_CXX:-clang++}
flags=(-std=c++17 -O1 -g -fno-omit-frame-pointer -I.
       -fsanitize=address,undefined -fno-sanitize-recover=undefined)
sources=(image/dib_decode.cpp fuzz/dib_fuzz.cpp)

mkdir -p "$out/corpus" "$out/artifacts"
"$cxx" "${flags[@]}" -fsanitize=fuzzer "${sources[@]}" -o "$out/dib_fuzz"
"$cxx" "${flags[@]}" "${sources[@]}" fuzz/replay_main.cpp -o "$out/dib_replay"

echo "fuzz: replaying the seed corpus"
"$out/dib_replay" fuzz/corpus

echo "fuzz: ${seconds}s of libFuzzer"
"$out/dib_fuzz" -max_total_time="$seconds" -max_len=8192 -timeout=10 \
  -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$out/artifacts/" "$out/corpus" fuzz/corpus 2>"$out/fuzz.log" ||
  { tail -60 "$out/fuzz.log"; echo "fuzz: FAILED (log: $out/fuzz.log)" >&2; exit 1; }
grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|#[0-9]+ *DONE)' \
  "$out/fuzz.log" || true
echo "fuzz: no crash"
