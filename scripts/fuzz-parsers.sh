#!/usr/bin/env bash
# Fuzzes one parser with libFuzzer (clang, AddressSanitizer and UndefinedBehaviorSanitizer)
# for the given number of seconds (default 600), then merges what it found into the parser's
# kept corpus, which the test suite replays:
#   rsport       RSPort.cfg                               tests/link/rsport-corpus
#   fault-text   FaultErrCodes.txt / CommErrCodes.txt      tests/link/fault-text-corpus
#   address      the address text and its value text      tests/link/address-corpus
#   ctl-options  vorna7ctl's command line                 tests/cli/ctl-options-corpus
#   sim-control  the simulator's control commands         tests/sim/sim-control-corpus
# Usage: fuzz-parsers.sh PARSER [SECONDS]. Everything it builds goes to build/fuzz-parsers/;
# a crash stops it and leaves the input there.
set -euo pipefail
parser=${1:-}
seconds=${2:-600}
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/build/fuzz-parsers
max_len=4096

case "$parser" in
    rsport) index=0 corpus=$root/tests/link/rsport-corpus ;;
    fault-text) index=1 corpus=$root/tests/link/fault-text-corpus ;;
    address) index=2 corpus=$root/tests/link/address-corpus ;;
    ctl-options) index=3 corpus=$root/tests/cli/ctl-options-corpus ;;
    sim-control) index=4 corpus=$root/tests/sim/sim-control-corpus ;;
    *) echo "usage: fuzz-parsers.sh rsport|fault-text|address|ctl-options|sim-control [SECONDS]" >&2
       exit 2 ;;
esac

"$root/scripts/install-deps.sh"
"$root/scripts/install-deps.sh" fuzz
cxx=${FUZZ_CXX:-clang++-14}

# Qt's headers as system headers, so the warnings-are-errors flags apply to our code only.
qt_cflags=$(pkg-config --cflags Qt6Core Qt6SerialPort | sed 's/-I/-isystem /g')
qt_libs=$(pkg-config --libs Qt6Core Qt6SerialPort)
sources=("$root/bench/fuzz_parsers.cpp" "$root/bench/ParserProperties.cpp"
         "$root/cli/CtlOptions.cpp")
for source in "$root"/link/*.cpp "$root"/sim/*.cpp; do
    case $(basename "$source") in frm* | main.cpp) ;; *) sources+=("$source") ;; esac
done

mkdir -p "$out"
binary=$out/fuzz_$parser
echo "== building $binary"
# shellcheck disable=SC2086
"$cxx" -std=c++20 -g -O1 -fPIC -fno-omit-frame-pointer -Wall -Wextra -Werror \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -DFUZZ_PARSER="$index" \
    -I"$root/bench" -I"$root/link" -I"$root/cli" -I"$root/sim" $qt_cflags "${sources[@]}" \
    $qt_libs -o "$binary"

seeds=$out/seeds-$parser found=$out/found-$parser merged=$out/merged-$parser
rm -rf "$seeds" "$found" "$merged"
mkdir -p "$seeds" "$found" "$merged" "$corpus"
n=0
seed() { printf '%b' "$1" >"$seeds/seed-$((n += 1))"; }
# Arguments separated by NUL bytes, as the target splits them.
# (The count goes up outside the pipeline, whose commands run in subshells.)
args() {
    local IFS=$'\x01'
    n=$((n + 1))
    printf '%s' "$*" | tr '\001' '\000' >"$seeds/seed-$n"
}
case "$parser" in
    rsport)
        seed '1,9600\r\n'; seed '99,19200\r\n'; seed ' 3 , 19200 \r\nsecond line\r\n'
        seed '0,0'; seed '-7,115200\n'; seed ',\r\n' ;;
    fault-text)
        cp "$root/Support/FaultErrCodes.txt" "$root/Support/CommErrCodes.txt" "$seeds/"
        seed '"0A","Overtravel"\r\n0b,Low air\r\n0A,later\r\n'; seed '01,"a, quoted, text"\n' ;;
    address)
        seed 'W1022\n350'; seed 'B1020.0\n1'; seed 'D1100\n-5'; seed 'F34\n1'
        seed '1FF0H\n255'; seed 'W65534\n65535'; seed 'B1020.9\n0'; seed 'D65533\n1' ;;
    ctl-options)
        args read W1022 B1020.0; args --port 3 --speed 19200 write W1022 350
        args --device /dev/null watch D1100 --count 3 --interval 200; args pls set 2 100 200
        args --retries=2 --trace board --type 1; args download-data set.sdt --yes
        args upload-data --out set.sdt; args report set.sdt --pdf out.pdf; args --help
        args download-program prog.hex; args pls offset 15; args read W1749 $'B.\n2' ;;
    sim-control)
        seed 'set W1022 350\nget W1022\nset B1020.0 1\nget B1020.0\nset D1100 70000\n'
        seed 'fault wrong-echo 2 after 1\nfault silence on\nfault clear\ndrop\nwire 19200\n'
        seed 'channel 3 100 200\nchannel 3\nchannel 2 pulse 10 5 5\nchannel 1 clear\n'
        seed 'pls-config\npls-busy 500\nfirmware 7\nfault-code 3\nspeed 120\nstop\nstart\n' ;;
esac

echo "== fuzzing $parser for $seconds s"
# New inputs go to found/; the kept corpus and the seeds are only read.
"$binary" -max_len=$max_len -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$out/$parser-" "$found" "$corpus" "$seeds" 2>&1 | tee "$out/$parser.log"

echo "== merging into $corpus"
# The seeds stay in the corpus as they are; of the rest only inputs that add coverage are kept.
cp "$seeds/"* "$merged/"
"$binary" -merge=1 -max_len=$max_len "$merged" "$corpus" "$found" 2>&1 |
    tee "$out/$parser-merge.log" | grep -E '^MERGE-OUTER: [0-9]+ new files' || true
find "$corpus" -maxdepth 1 -type f -delete
cp "$merged/"* "$corpus/"
echo "corpus: $(find "$corpus" -type f | wc -l) files, $(cat "$corpus"/* | wc -c) bytes of data"
