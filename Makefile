# The two commands a fresh Debian 12 machine needs:
#   make run    sets up, builds and runs Tarnwick (on the embedded server)
#   make test   sets up, builds and runs every test
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: run test setup configure build clean bench

setup:
	@bash scripts/setup

configure: setup
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@$(BUILD)/app/main/tarnwick

test: build
	@cd $(BUILD) && ctest -j $(JOBS) --output-on-failure --timeout 300

bench: build
	@for b in $(BUILD)/bench/*/bench_*; do [ -x "$$b" ] && echo "== $$b" && "$$b"; done; true

clean:
	@rm -rf $(BUILD)
