#!/usr/bin/env bash
# Builds the libFuzzer targets into build-fuzz/ (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for a fixed time: $1 seconds, 60
# by default. The document fuzzer starts from fuzz/corpus, copied to a
# temporary folder so that the inputs it finds never land in the repository.
# Any crash, leak, hang or sanitizer report fails the run; the input that
# caused it is kept in build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
bash scripts/setup.sh clang libclang-rt-14-dev

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DVARENTA_FUZZ=ON \
  -DVARENTA_SANITIZE=ON -DVARENTA_BUILD_TESTS=OFF -DVARENTA_BUILD_BENCHMARKS=OFF
cmake --build build-fuzz --target document_fuzzer paste_fuzzer

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/document" "$work/paste" build-fuzz/findings
cp fuzz/corpus/* "$work/document/"
export QT_QPA_PLATFORM=offscreen
# fontconfig keeps caches for the life of the process: tests/lsan.supp silences them
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

run() {
  local name=$1
  shift
  echo "== ${name}_fuzzer for ${seconds} s"
  build-fuzz/fuzz/${name}_fuzzer -max_total_time="$seconds" -timeout=30 -print_final_stats=1 \
    -artifact_prefix=build-fuzz/findings/${name}- "$@" "$work/$name"
}
run document -dict=fuzz/document.dict
run paste
