#!/usr/bin/env bash
# Fuzzes the program file readers (HEX pre-flight, revision and configuration files) with
# libFuzzer (clang, AddressSanitizer and UndefinedBehaviorSanitizer) for the given number of
# seconds (default 600). Everything it builds and finds goes to build/fuzz-program/; a crash
# stops it and leaves the input there.
set -euo pipefail
seconds=${1:-600}
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/build/fuzz-program
max_len=4096

"$root/scripts/install-deps.sh"
"$root/scripts/install-deps.sh" fuzz
cxx=${FUZZ_CXX:-clang++-14}

# Qt's headers as system headers, so the warnings-are-errors flags apply to our code only.
qt_cflags=$(pkg-config --cflags Qt6Core Qt6SerialPort | sed 's/-I/-isystem /g')
qt_libs=$(pkg-config --libs Qt6Core Qt6SerialPort)
link_sources=()
for source in "$root"/link/*.cpp; do
    [[ $(basename "$source") == frm* ]] || link_sources+=("$source")
done

mkdir -p "$out/corpus" "$out/seeds"
echo "== building $out/fuzz_program_files"
# shellcheck disable=SC2086
"$cxx" -std=c++20 -g -O1 -fPIC -fno-omit-frame-pointer -Wall -Wextra -Werror \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$root/link" -I"$root/program" $qt_cflags "$root/bench/fuzz_program_files.cpp" \
    "$root/program/ProgramFiles.cpp" "${link_sources[@]}" $qt_libs -o "$out/fuzz_program_files"

# One good file of each kind to start from: the first byte picks the reader.
printf '\000:0201F000AB1250\r\n:00000001FF\r\n' >"$out/seeds/hex"
printf '\001PROG0001:?05\r\n' >"$out/seeds/rev"
printf '\002E0000000000000000000000000000000000200101000%%\r\n' >"$out/seeds/lcf"

echo "== fuzzing for $seconds s"
"$out/fuzz_program_files" -max_len=$max_len -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$out/" "$out/corpus" "$out/seeds" 2>&1 | tee "$out/fuzz.log"
