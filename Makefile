# The commands a fresh Debian 12 machine needs:
#   make run       sets up, builds and runs Tarnwick (on the embedded server); builds only the program
#   make test      sets up, builds everything and runs every test
#   make sanitize  the same under AddressSanitizer and UndefinedBehaviorSanitizer (own build folder)
#   make tsan      the server, ADO, grid and registry tests under ThreadSanitizer (own build folder)
#   make fuzz      builds the fuzz targets with clang and runs each for a bounded time (FUZZ_SECONDS in all)
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
FUZZ_SECONDS ?= 60
SANITIZERS := $(CURDIR)/tools/sanitize

.PHONY: run test setup configure build clean bench sanitize tsan fuzz

setup:
	@bash scripts/setup

configure: setup
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: configure
	@cmake --build $(BUILD) -j $(JOBS) --target tarnwick
	@$(BUILD)/app/main/tarnwick

test: build
	@cd $(BUILD) && ctest -j $(JOBS) --output-on-failure --timeout 300

bench: build
	@for b in $(BUILD)/bench/*/bench_*; do [ -x "$$b" ] && echo "== $$b" && "$$b"; done; true

sanitize: setup
	@cmake -S . -B $(BUILD)-sanitize -G Ninja -DTARNWICK_SANITIZE=ON -DTARNWICK_BENCH=OFF $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD)-sanitize -j $(JOBS)
	@cd $(BUILD)-sanitize && \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(SANITIZERS)/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  ctest -j $(JOBS) --output-on-failure --timeout 900

tsan: setup
	@cmake -S . -B $(BUILD)-tsan -G Ninja -DTARNWICK_TSAN=ON -DTARNWICK_BENCH=OFF $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD)-tsan -j $(JOBS) --target test_server test_ado test_grid test_win32_registry
	@cd $(BUILD)-tsan && \
	  TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:suppressions=$(SANITIZERS)/tsan.supp \
	  ctest -j $(JOBS) --output-on-failure --timeout 900 -L '^(test_server|test_ado|test_grid|test_win32_registry)$$'

fuzz: setup
	@CC=clang CXX=clang++ cmake -S . -B $(BUILD)-fuzz -G Ninja -DTARNWICK_FUZZ=ON -DTARNWICK_TESTS=OFF \
	  -DTARNWICK_BENCH=OFF >/dev/null
	@cmake --build $(BUILD)-fuzz -j $(JOBS) --target fuzz_all
	@fuzz/run $(BUILD)-fuzz $(FUZZ_SECONDS)

clean:
	@rm -rf $(BUILD) $(BUILD)-sanitize $(BUILD)-tsan $(BUILD)-fuzz
