# The two commands of the README: `make run` and `make test`. Both install what is missing first.
.PHONY: deps configure build build-asan test test-default test-asan run bench fuzz fuzz-program format clean

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake --preset default >/dev/null

build: configure
	cmake --build --preset default

build-asan: deps
	@cmake --preset asan >/dev/null
	cmake --build --preset asan

test-default: build
	ctest --preset default

test-asan: build-asan
	ctest --preset asan

test: test-default test-asan

run: build
	@scripts/run.sh build/default/bin

bench: build
	@scripts/bench.sh build/default/bin

# Fuzzes the set-up file reader (FUZZ_SECONDS=600 by default) and keeps the corpus it finds.
fuzz:
	@scripts/fuzz-sdt.sh $(FUZZ_SECONDS)

fuzz-program:
	@scripts/fuzz-program.sh $(FUZZ_SECONDS)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
