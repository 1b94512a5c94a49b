# The two commands of the README: `make run` and `make test`. Both install what is missing first.
.PHONY: deps configure build build-asan build-release package test test-default test-asan run bench soak fuzz fuzz-program fuzz-parsers format clean

# Parallel jobs for building and testing; the presets leave this to the machine.
JOBS ?= $(shell nproc)

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake --preset default >/dev/null

build: configure
	cmake --build --preset default --parallel $(JOBS)

build-asan: deps
	@cmake --preset asan >/dev/null
	cmake --build --preset asan --parallel $(JOBS)

# An optimised build without warnings as errors, as users and packagers make it. Only the
# programs (the preset leaves the tests out): the tests already run in the two builds above.
build-release: deps
	@cmake --preset release >/dev/null
	cmake --build --preset release --parallel $(JOBS)

# The Debian package of the release build, left in this folder: vorna7_<version>_<arch>.deb.
package: build-release
	cd build/release && cpack -G DEB -B $(CURDIR)/build/release/deb
	cp build/release/deb/vorna7_*.deb .

test-default: build
	ctest --preset default --parallel $(JOBS)

test-asan: build-asan
	ctest --preset asan --parallel $(JOBS)

test: test-default test-asan build-release

run: build
	@scripts/run.sh build/default/bin

bench: build
	@scripts/bench.sh build/default/bin

# The main window online against the simulator with faults at random, MINUTES long (60 by
# default); SEED=<n> repeats a run's choices.
MINUTES ?= 60
soak: build
	@QT_QPA_PLATFORM=offscreen build/default/bin/soak --minutes $(MINUTES) $(if $(SEED),--seed $(SEED))

# Fuzzes the set-up file reader (FUZZ_SECONDS=600 by default) and keeps the corpus it finds.
fuzz:
	@scripts/fuzz-sdt.sh $(FUZZ_SECONDS)

# Fuzzes the program file readers (HEX pre-flight, revision and configuration files).
fuzz-program:
	@scripts/fuzz-program.sh $(FUZZ_SECONDS)

# Fuzzes one more parser: FUZZ_PARSER=rsport|fault-text|address|ctl-options|sim-control.
fuzz-parsers:
	@scripts/fuzz-parsers.sh $(FUZZ_PARSER) $(FUZZ_SECONDS)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
