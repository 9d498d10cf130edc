#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite.
# With --sanitize, builds into build-asan/ with AddressSanitizer and
# UndefinedBehaviorSanitizer; any report fails the run.
# With --release, builds into build-release/ as Debian packages it: the
# Release build type (-O3, no assertions) under dpkg-buildflags' hardening
# flags (_FORTIFY_SOURCE, stack protector, format-security as an error).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
build_dir=build
cmake_args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
case "${1:-}" in
  --sanitize)
    build_dir=build-asan
    cmake_args=(-DCMAKE_BUILD_TYPE=Debug -DVARENTA_SANITIZE=ON -DVARENTA_BUILD_BENCHMARKS=OFF)
    # The runtime's __tls_get_addr interceptor (GCC 12) can take a dynamic
    # TLS block that malloc happens to place at a certain offset for an old
    # glibc's, and the leak check's tracer then crashes on a bogus range as
    # the program exits. Leaks are still checked without it.
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:intercept_tls_get_addr=0
    export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    ;;
  --release)
    build_dir=build-release
    linker_flags=$(dpkg-buildflags --get LDFLAGS)
    cmake_args=(-DCMAKE_BUILD_TYPE=Release -DVARENTA_BUILD_BENCHMARKS=OFF
      "-DCMAKE_CXX_FLAGS=$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
      "-DCMAKE_EXE_LINKER_FLAGS=$linker_flags" "-DCMAKE_SHARED_LINKER_FLAGS=$linker_flags"
      "-DCMAKE_MODULE_LINKER_FLAGS=$linker_flags")
    ;;
  "") ;;
  *)
    echo "usage: $0 [--sanitize | --release]" >&2
    exit 2
    ;;
esac
bash scripts/build.sh "$build_dir" "${cmake_args[@]}"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build_dir" --output-on-failure -j2
