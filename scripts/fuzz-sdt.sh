#!/usr/bin/env bash
# Fuzzes the set-up data file reader with libFuzzer (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer) for the given number of seconds (default 600), then merges what
# it found into the kept corpus tests/app/sdt-corpus/, which the test suite replays.
# Everything it builds goes to build/fuzz/. A crash stops it and leaves the input there.
set -euo pipefail
seconds=${1:-600}
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/build/fuzz
corpus=$root/tests/app/sdt-corpus
max_len=4096

"$root/scripts/install-deps.sh"
"$root/scripts/install-deps.sh" fuzz
cxx=${FUZZ_CXX:-clang++-14}

# Qt's headers as system headers, so the warnings-are-errors flags apply to our code only.
qt_cflags=$(pkg-config --cflags Qt6Core | sed 's/-I/-isystem /g')
qt_libs=$(pkg-config --libs Qt6Core)
version=$(sed -n 's/^project(VORNA7 VERSION \([0-9]*\)\.\([0-9]*\)\.\([0-9]*\).*/\1 \2 \3/p' \
    "$root/CMakeLists.txt")
read -r major minor patch <<<"$version"
# The same version header the CMake build generates, from the same template.
mkdir -p "$out/generated"
sed -e "s/@PROJECT_VERSION_MAJOR@/$major/g" -e "s/@PROJECT_VERSION_MINOR@/$minor/g" \
    -e "s/@PROJECT_VERSION_PATCH@/$patch/g" "$root/cmake/Vorna7Version.h.in" \
    >"$out/generated/Vorna7Version.h"
common=(-std=c++20 -g -O1 -fPIC -fno-omit-frame-pointer -Wall -Wextra -Werror
        -I"$root/app" -I"$out/generated")
reader=("$root/app/SdtFile.cpp" "$root/app/ByteReader.cpp" "$root/app/AtomicFile.cpp"
        "$root/app/SetupData.cpp")

echo "== building $out/fuzz_sdt_reader"
# shellcheck disable=SC2086
"$cxx" "${common[@]}" -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    $qt_cflags "$root/bench/fuzz_sdt_reader.cpp" "${reader[@]}" $qt_libs \
    -o "$out/fuzz_sdt_reader"
# shellcheck disable=SC2086
"$cxx" "${common[@]}" -DSDT_FUZZ_SEED_WRITER $qt_cflags "$root/bench/fuzz_sdt_reader.cpp" \
    "${reader[@]}" "$root/app/SetupTables.cpp" $qt_libs -o "$out/sdt_seed_writer"

rm -rf "$out/seeds" "$out/found" "$out/merged"
mkdir -p "$out/seeds" "$out/found" "$out/merged" "$corpus"
"$out/sdt_seed_writer" "$out/seeds"

echo "== fuzzing for $seconds s"
# New inputs go to found/; the kept corpus and the seeds are only read.
"$out/fuzz_sdt_reader" -max_len=$max_len -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$out/" "$out/found" "$corpus" "$out/seeds" 2>&1 | tee "$out/fuzz.log"

echo "== merging into $corpus"
# The seeds stay in the corpus as they are, so its replay always covers whole valid files;
# of the rest only inputs that add coverage are kept.
cp "$out/seeds/"* "$out/merged/"
"$out/fuzz_sdt_reader" -merge=1 -max_len=$max_len "$out/merged" "$corpus" "$out/found" \
    2>&1 | tee "$out/merge.log" | grep -E '^MERGE-OUTER: [0-9]+ new files' || true
find "$corpus" -maxdepth 1 -type f -delete
cp "$out/merged/"* "$corpus/"
echo "corpus: $(find "$corpus" -type f | wc -l) files, $(du -sb "$corpus" | cut -f1) bytes" \
    "($(cat "$corpus"/* | wc -c) bytes of data)"
