# make run:  install what is missing, build, start chromaLoom.
# make test: install what is missing, build, run every test.
# make format / format-check: apply .clang-format to src/, tests/ and fuzz/,
# or fail on any line it would change.
# make shellcheck: check every shell script.
# make fuzz-long: every fuzz target in turn for up to 10 minutes or ten
# million inputs (FUZZ_SECONDS, FUZZ_RUNS, FUZZ_TARGETS change that); not in CI.
BUILD ?= build
CMAKE_FLAGS ?=
# Medians of five runs: these machines are noisy.
BENCH_FLAGS ?= --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
# One version, since each version lays code out a little differently.
CLANG_FORMAT ?= clang-format-14
FORMAT_FILES = $(shell find src tests fuzz -name '*.cpp' -o -name '*.h')
SHELL_SCRIPTS = scripts/*.sh zxview/*.sh tests/xvfb/*.sh tests/app/*.sh .ci/run

.PHONY: all deps configure build test run bench package clean format format-check shellcheck fuzz-long

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j2

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

run: build
	$(BUILD)/src/chromaloom

bench: build
	$(BUILD)/bench/chromaloom_bench $(BENCH_FLAGS)
	$(BUILD)/bench/chromaloom_canvas_bench $(BENCH_FLAGS)
	$(BUILD)/bench/chromaloom_convert_bench $(BENCH_FLAGS)
	$(BUILD)/bench/chromaloom_image_bench $(BENCH_FLAGS)
	$(BUILD)/bench/chromaloom_flicker_bench $(BENCH_FLAGS)
	$(BUILD)/bench/chromaloom_history_bench $(BENCH_FLAGS)

# The Debian package, from a release build of the programs alone.
package: deps
	cmake -S . -B $(BUILD)-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DCHROMALOOM_TESTS=OFF -DCHROMALOOM_BENCH=OFF
	cmake --build $(BUILD)-package -j2
	rm -f chromaloom_*.deb $(BUILD)-package/chromaloom_*.deb
	cd $(BUILD)-package && cpack
	cp $(BUILD)-package/chromaloom_*.deb .

format: deps
	$(CLANG_FORMAT) -i $(FORMAT_FILES)

format-check: deps
	$(CLANG_FORMAT) --dry-run -Werror $(FORMAT_FILES)

shellcheck: deps
	shellcheck $(SHELL_SCRIPTS)

fuzz-long: deps
	scripts/fuzz-long.sh

clean:
	rm -rf $(BUILD) $(BUILD)-package chromaloom_*.deb
