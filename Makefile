# The two commands of the README: `make run` starts Torvel, `make test` runs every test.
# Both install missing Debian packages first, then configure and build.
BUILD ?= build
JOBS ?= 2

.PHONY: run test build deps deps-test deps-fuzz deps-bench configure clean test-sanitize fuzz bench package

run: deps build
	$(BUILD)/bin/torvel

test: deps-test build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# The Debian package build/torvel_VERSION_amd64.deb (install it with sudo apt install ./build/torvel_*.deb).
package: deps build
	cd $(BUILD) && cpack -G DEB

deps:
	@scripts/install-deps.sh

deps-test:
	@scripts/install-deps.sh --test

configure:
	@test -f $(BUILD)/CMakeCache.txt || cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j$(JOBS)

clean:
	rm -rf $(BUILD)

# Every test again in its own build with AddressSanitizer and UndefinedBehaviorSanitizer. Any
# report fails the test that caused it; tests/sanitize/lsan.supp silences leaks inside system
# libraries only. The options apply to the build too, which runs the test programs to list them.
SANITIZE_BUILD ?= build-sanitize
SANITIZE_ENV = \
	ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitize/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

test-sanitize: deps-test
	@test -f $(SANITIZE_BUILD)/CMakeCache.txt || \
		cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTORVEL_SANITIZE=ON
	$(SANITIZE_ENV) cmake --build $(SANITIZE_BUILD) -j$(JOBS)
	cd $(SANITIZE_BUILD) && $(SANITIZE_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# The libFuzzer targets of fuzz/, built with clang into their own folder and run one after the
# other for FUZZ_SECONDS each. Failing inputs are kept in fuzz/regressions/ (see fuzz/run_fuzzers.sh).
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?= values paths script escaping pages

fuzz: deps-fuzz
	@test -f $(FUZZ_BUILD)/CMakeCache.txt || \
		CC=clang-14 CXX=clang++-14 cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
			-DTORVEL_FUZZ=ON -DBUILD_TESTING=OFF
	cmake --build $(FUZZ_BUILD) -j$(JOBS) --target fuzz-targets
	fuzz/run_fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

deps-fuzz:
	@scripts/install-deps.sh --fuzz

# The performance figures of docs/performance.md: builds the benchmark programs of bench/, runs them
# (a few minutes; Google Benchmark's own report goes to $(BUILD)/bench/*.log) and prints one table,
# each figure beside its floor (scripts/bench_table.py). Run it on an otherwise idle machine.
# BENCH_FLAGS passes options to the figures program, e.g. --benchmark_filter=finish.
BENCH_FLAGS ?=

bench: deps-bench configure
	@grep -q '^benchmark_DIR:PATH=/' $(BUILD)/CMakeCache.txt || cmake -S . -B $(BUILD) >/dev/null
	cmake --build $(BUILD) -j$(JOBS) --target bench-programs
	@echo "Running the benchmarks (about 2 minutes)..."
	@$(BUILD)/bench/torvel_figures --benchmark_enable_random_interleaving=true \
		--benchmark_out=$(BUILD)/bench/figures.json --benchmark_out_format=json $(BENCH_FLAGS) \
		>$(BUILD)/bench/figures.log 2>&1 || { tail -n 20 $(BUILD)/bench/figures.log; exit 1; }
	@scripts/bench_table.py $(BUILD)/bench/figures.json

deps-bench:
	@scripts/install-deps.sh --bench
