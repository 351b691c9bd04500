# Frothwick: `make run` plays, `make test` tests. Both install what is
# missing first (scripts/install-deps.sh).
BUILD     ?= build
ASAN      ?= build-asan
BENCHDIR  ?= build-bench
FUZZDIR   ?= build-fuzz
JOBS      ?= $(shell nproc)
CMAKE_GEN := -G Ninja

.PHONY: all deps configure build run test test-fast test-asan bench fuzz contact-sheet listen install install-desktop uninstall clean

all: build

deps:
	@scripts/install-deps.sh

configure:
	@cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: deps build
	@cd $(BUILD)/bin && ./frothwick

# The whole suite, then the sanitizer build of it.
test: deps
	@$(MAKE) --no-print-directory test-fast
	@$(MAKE) --no-print-directory test-asan

test-fast: build
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# AddressSanitizer and UndefinedBehaviorSanitizer over every test that does
# not need the generated data tree (the data generator is slow under ASan).
test-asan:
	@cmake -S . -B $(ASAN) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DFROTHWICK_SANITIZE=ON -DFROTHWICK_GAMEDATA=OFF >/dev/null
	@cmake --build $(ASAN) -j $(JOBS)
	@ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
	    ctest --test-dir $(ASAN) --output-on-failure -j $(JOBS) -LE data

bench: deps
	@cmake -S . -B $(BENCHDIR) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DFROTHWICK_BENCH=ON -DFROTHWICK_TESTS=OFF >/dev/null
	@cmake --build $(BENCHDIR) -j $(JOBS)
	@for b in $(BENCHDIR)/bench/*; do [ -x "$$b" ] && echo "== $$b" && "$$b" || exit 1; done

# libFuzzer programs (clang); run one with e.g. build-fuzz/fuzz/fuzz_gif CORPUS
fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZDIR) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DFROTHWICK_FUZZ=ON -DFROTHWICK_SANITIZE=ON -DFROTHWICK_GAMEDATA=OFF \
	    -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link -DCMAKE_C_FLAGS=-fsanitize=fuzzer-no-link >/dev/null
	@cmake --build $(FUZZDIR) -j $(JOBS)

contact-sheet: deps build
	@cmake --build $(BUILD) --target contact-sheet

listen: deps build
	@cmake --build $(BUILD) --target listen

# `make install` (PREFIX, DESTDIR honoured): the program, its data tree, the
# desktop entry, icons and AppStream metadata. `make uninstall` removes what
# the last install wrote; `make install-desktop` adds the entry and icons
# for this user alone, starting build/bin/frothwick.
PREFIX    ?= /usr/local
install: deps build
	@cmake --install $(BUILD) --prefix $(PREFIX)

uninstall:
	@cmake --build $(BUILD) --target uninstall

install-desktop: deps build
	@cmake --build $(BUILD) --target install-desktop

clean:
	rm -rf $(BUILD) $(ASAN) $(BENCHDIR) $(FUZZDIR)
