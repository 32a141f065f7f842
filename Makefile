# Kordavo: the two commands a newcomer needs are `make play` and `make test`.
# Both install whatever Debian packages are missing first.

JOBS    ?= $(shell nproc)
RELEASE := build/release
ASAN    := build/asan
FUZZ    := build/fuzz
FUZZ_TIME ?= 120

.PHONY: all deps play game test bench fuzz clean xvfb-netz

all: game

deps:
	@bash scripts/install-deps.sh

$(RELEASE)/build.ninja:
	cmake -S . -B $(RELEASE) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORDAVO_TESTS=OFF

# Build the game and generate its data folder (build/release/game).
game: deps $(RELEASE)/build.ninja
	cmake --build $(RELEASE) -j $(JOBS)

play: game
	cd $(RELEASE) && ./kordavo

$(ASAN)/build.ninja:
	cmake -S . -B $(ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORDAVO_SANITIZE=ON -DKORDAVO_TESTS=ON

# Every test under AddressSanitizer and UBSan, the fuzz targets for a smoke time included.
test: deps $(ASAN)/build.ninja
	cmake --build $(ASAN) -j $(JOBS)
	cd $(ASAN) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

# A network game of two windows on a virtual display, played with the mouse
# up to the third matchday watched live on both sides (about 20 minutes;
# not part of `make test`). Screenshots in build/xvfb_netz.
xvfb-netz: deps $(ASAN)/build.ninja
	cmake --build $(ASAN) -j $(JOBS) --target kordavo
	bash scripts/xvfb_netz.sh $(ASAN) build/xvfb_netz

bench: deps
	cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORDAVO_TESTS=OFF -DKORDAVO_BENCH=ON
	cmake --build build/bench -j $(JOBS)
	cmake --build build/bench --target run_benchmarks

# The fuzz targets under clang's libFuzzer, FUZZ_TIME seconds each.
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DKORDAVO_SANITIZE=ON -DKORDAVO_TESTS=OFF -DKORDAVO_LIBFUZZER=ON
	cmake --build $(FUZZ) -j $(JOBS)
	FUZZ_TIME=$(FUZZ_TIME) bash scripts/run-fuzzers.sh $(FUZZ)

clean:
	rm -rf build
