# Frothwick: `make run` plays, `make test` tests. Both install what is
# missing first (scripts/install-deps.sh).
BUILD     ?= build
ASAN      ?= build-asan
TSAN      ?= build-tsan
BENCHDIR  ?= build-bench
FUZZDIR   ?= build-fuzz
JOBS      ?= $(shell nproc)
# The suites spend most of their time waiting on the programs they drive
# (at -j2 on two cores they keep one busy): twice the cores fills both.
TEST_JOBS ?= $(shell echo $$(( $(JOBS) * 2 )))
CMAKE_GEN := -G Ninja

.PHONY: all deps configure build run test test-fast test-asan test-tsan test-fuzz bench fuzz fuzz-configure contact-sheet listen install install-desktop uninstall clean soak

all: build

deps:
	@scripts/install-deps.sh

configure:
	@cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: deps build
	@cd $(BUILD)/bin && ./frothwick

# The whole suite, then all of it again under AddressSanitizer and
# UndefinedBehaviorSanitizer, then the tests that run threads under
# ThreadSanitizer, then a short run of every fuzz target. Each stage prints
# "[time] STAGE: N s".
test: deps
	@$(MAKE) --no-print-directory test-fast
	@$(MAKE) --no-print-directory test-asan
	@$(MAKE) --no-print-directory test-tsan
	@$(MAKE) --no-print-directory test-fuzz

TIMED := scripts/timed.sh
LSAN_SUPP := $(CURDIR)/tests/support/lsan-suppressions.txt

test-fast: configure
	@$(TIMED) build cmake --build $(BUILD) -j $(JOBS)
	@scripts/run-tests.sh suite $(BUILD) -j $(TEST_JOBS)

# The sanitizer build: unoptimised, line tables only (all a report's stack
# needs, and a tenth quicker to build than full debug information).
ASAN_CONFIG := $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_FLAGS_DEBUG=-g1 -DCMAKE_CXX_FLAGS_DEBUG=-g1 \
    -DFROTHWICK_SANITIZE=ON -DFROTHWICK_GAMEDATA=OFF -DFROTHWICK_TEST_DATA_DIR=$(abspath $(BUILD))/bin

# Every test, the data-labelled ones too: the sanitizer build does not
# generate data; its tests and programs read (copies of) the normal build's
# tree. Leak checking is on; the suppressions name third-party code only.
test-asan: build
	@$(TIMED) "asan configure" cmake -S . -B $(ASAN) $(ASAN_CONFIG) >/dev/null
	@$(TIMED) "asan build" cmake --build $(ASAN) -j $(JOBS)
	@ASAN_OPTIONS=detect_leaks=1:halt_on_error=1 \
	    LSAN_OPTIONS=suppressions=$(LSAN_SUPP):print_suppressions=0 \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    GUARDED="$(BUILD)/bin $(ASAN)/bin" scripts/run-tests.sh asan $(ASAN) -j $(TEST_JOBS)

# ThreadSanitizer (clang) over the test programs labelled "threads" (the
# loading thread, the audio device's callback thread, the music feeder).
test-tsan: build
	@$(TIMED) "tsan configure" env CC=clang CXX=clang++ cmake -S . -B $(TSAN) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O2 -gline-tables-only -DNDEBUG" \
	    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -gline-tables-only -DNDEBUG" \
	    -DCMAKE_C_FLAGS="-fsanitize=thread" -DCMAKE_CXX_FLAGS="-fsanitize=thread" \
	    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" -DFROTHWICK_GAMEDATA=OFF \
	    -DFROTHWICK_TEST_DATA_DIR=$(abspath $(BUILD))/bin -DFROTHWICK_TEST_LABEL=threads -DFROTHWICK_TEST_PCH=OFF -DFROTHWICK_FAST_BUILD=OFF >/dev/null
	@$(TIMED) "tsan build" cmake --build $(TSAN) -j $(JOBS) --target test_programs
	@TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
	    GUARDED="$(BUILD)/bin $(TSAN)/bin" scripts/run-tests.sh tsan $(TSAN) -j $(TEST_JOBS)

# The game playing itself for 10 000 shots under the sanitizers with leak
# checking, recorded and played back (scripts/soak.sh); not part of `make test`.
soak: build
	@cmake -S . -B $(ASAN) $(ASAN_CONFIG) >/dev/null
	@BUILD=$(BUILD) ASAN=$(ASAN) scripts/soak.sh

bench: deps
	@cmake -S . -B $(BENCHDIR) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DFROTHWICK_BENCH=ON -DFROTHWICK_TESTS=OFF >/dev/null
	@cmake --build $(BENCHDIR) -j $(JOBS)
	@for b in $(BENCHDIR)/bench/*; do [ -x "$$b" ] && echo "== $$b" && "$$b" || exit 1; done

# libFuzzer programs (clang, ASan and UBSan, coverage in every library they
# link, assertions on). The build is a good part of the short stage's budget:
# -O0 with line tables compiles in two thirds of the time of -O1, and lld
# links in a third of ld's. Only the fuzz_* programs and what they link are
# built (scripts/fuzz.sh). `make fuzz` runs each for FUZZ_SECONDS and merges
# the inputs that add coverage into tests/fuzz/corpus/; `make test-fuzz` runs
# each for 15 s with a fixed seed on a copy of its corpus, two at a time, and
# prints executions per second.
# Run one by hand: build-fuzz/fuzz/fuzz_gif -seed=1 COPY_OF_CORPUS
FUZZ_SECONDS ?= 300
FUZZ_FLAGS := -O0 -gline-tables-only -fsanitize=fuzzer-no-link
fuzz-configure:
	@$(TIMED) "fuzz configure" env CC=clang CXX=clang++ cmake -S . -B $(FUZZDIR) $(CMAKE_GEN) \
	    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_FLAGS_RELWITHDEBINFO= -DCMAKE_CXX_FLAGS_RELWITHDEBINFO= \
	    -DCMAKE_C_FLAGS="$(FUZZ_FLAGS)" -DCMAKE_CXX_FLAGS="$(FUZZ_FLAGS)" -DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld \
	    -DFROTHWICK_FUZZ=ON -DFROTHWICK_SANITIZE=ON -DFROTHWICK_GAMEDATA=OFF -DFROTHWICK_TEST_LABEL=fuzz \
	    -DFROTHWICK_TEST_PCH=OFF -DFROTHWICK_FAST_BUILD=OFF >/dev/null

fuzz: deps fuzz-configure
	@$(TIMED) "fuzz build" scripts/fuzz.sh build $(FUZZDIR)
	@LSAN_OPTIONS=suppressions=$(LSAN_SUPP):print_suppressions=0 scripts/fuzz.sh run $(FUZZDIR) $(FUZZ_SECONDS) merge

test-fuzz:
	@start=$$(date +%s); $(MAKE) --no-print-directory fuzz-configure && \
	    $(TIMED) "fuzz build" scripts/fuzz.sh build $(FUZZDIR) && \
	    LSAN_OPTIONS=suppressions=$(LSAN_SUPP):print_suppressions=0 scripts/fuzz.sh run $(FUZZDIR) 15; \
	    status=$$?; echo "[time] test-fuzz: $$(($$(date +%s) - start)) s"; exit $$status

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
	rm -rf $(BUILD) $(ASAN) $(TSAN) $(BENCHDIR) $(FUZZDIR)
