# make run:  install what is missing, build, start chromaLoom.
# make test: install what is missing, build, run every test.
BUILD ?= build
CMAKE_FLAGS ?=

.PHONY: all deps configure build test run bench clean

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
	$(BUILD)/bench/chromaloom_bench
	$(BUILD)/bench/chromaloom_canvas_bench
	$(BUILD)/bench/chromaloom_convert_bench
	$(BUILD)/bench/chromaloom_image_bench
	$(BUILD)/bench/chromaloom_flicker_bench

clean:
	rm -rf $(BUILD)
