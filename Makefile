# Three build trees: the Windows programs (mingw-w64, run under Wine), the
# fuzz target (clang), and the host tree whose CTest runs every test: the
# sanitized unit tests, the Wine tests and the fuzz run.
BUILD ?= build
FUZZ_SECONDS ?= 20
JOBS ?= 2
ROOT := $(abspath .)

.PHONY: all setup windows build test demo bench measure clean
QUIZ ?= capitales

all: build

setup:
	tools/setup-debian

windows: setup
	cmake -S . -B $(BUILD)/win32 -DCMAKE_TOOLCHAIN_FILE=$(ROOT)/cmake/mingw-i686.cmake -DQUIZ_TESTS=ON
	cmake --build $(BUILD)/win32 -j$(JOBS)

build: windows
	cmake -S . -B $(BUILD)/fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DQUIZ_FUZZ=ON
	cmake --build $(BUILD)/fuzz -j$(JOBS) --target fuzz_core fuzz_seeds
	cmake -S . -B $(BUILD)/host -DQUIZ_TESTS=ON -DQUIZ_WIN32_DIR=$(abspath $(BUILD)/win32) \
	    -DQUIZ_FUZZ_DIR=$(abspath $(BUILD)/fuzz) -DQUIZ_FUZZ_SECONDS=$(FUZZ_SECONDS)
	cmake --build $(BUILD)/host -j$(JOBS)

test: build
	tests/with-display $(BUILD)/win32/wine_keeper.exe \
	    ctest --test-dir $(BUILD)/host --output-on-failure -j$(JOBS)

# Builds examples/$(QUIZ) (capitales, picture, sound or video) and starts it.
demo: windows
	tools/demo $(QUIZ)

bench: build
	$(BUILD)/host/core_bench

# Whole-process timings of the player under Wine (not a test).
measure: windows
	tools/measure-player

clean:
	rm -rf $(BUILD)
