#!/usr/bin/env bash
# Fuzzes the program file readers (HEX pre-flight, revision and configuration files) with
# libFuzzer (clang, AddressSanitizer and UndefinedBehaviorSanitizer) for the given number of
# seconds (default 600). Everything it builds and finds goes to build/fuzz-program/; a crash
# stops it and leaves the input there. FUZZ_READER=hex|rev|lcf gives the run to one reader
# alone, with a corpus of its own.
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

reader=${FUZZ_READER:-}
case "$reader" in
    "" | hex | rev | lcf) ;;
    *) echo "fuzz-program.sh: FUZZ_READER must be hex, rev or lcf" >&2; exit 2 ;;
esac
corpus=$out/corpus${reader:+-$reader}
seeds=$out/seeds${reader:+-$reader}
mkdir -p "$corpus" "$seeds"
echo "== building $out/fuzz_program_files"
# shellcheck disable=SC2086
"$cxx" -std=c++20 -g -O1 -fPIC -fno-omit-frame-pointer -Wall -Wextra -Werror \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$root/link" -I"$root/program" $qt_cflags "$root/bench/fuzz_program_files.cpp" \
    "$root/program/ProgramFiles.cpp" "${link_sources[@]}" $qt_libs -o "$out/fuzz_program_files"

# One good file of each kind to start from: the first byte picks the reader, unless one reader
# has the run to itself.
seed() { # NAME SELECTOR CONTENT
    [ -n "$reader" ] && [ "$reader" != "$1" ] && return
    if [ -n "$reader" ]; then printf "$3" >"$seeds/$1"; else printf "$2$3" >"$seeds/$1"; fi
}
seed hex '\000' ':0201F000AB1250\r\n:00000001FF\r\n'
seed rev '\001' 'PROG0001:?05\r\n'
seed lcf '\002' 'E0000000000000000000000000000000000200101000%%\r\n'

echo "== fuzzing ${reader:-all three readers} for $seconds s"
FUZZ_READER=$reader "$out/fuzz_program_files" -max_len=$max_len -max_total_time="$seconds" \
    -print_final_stats=1 -artifact_prefix="$out/" "$corpus" "$seeds" 2>&1 |
    tee "$out/fuzz${reader:+-$reader}.log"
