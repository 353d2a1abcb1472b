# Build trees: the Windows programs for i686 (build/win32, the shipped
# player) and x86_64 (build/win64), both cross-built with mingw-w64 and run
# under Wine; the fuzz target (clang); and the host tree whose CTest runs
# every test: the sanitized unit tests, the Wine tests of every architecture
# this host runs (or ARCH=i686 / ARCH=x86_64 alone) and the fuzz run.
BUILD ?= build
FUZZ_SECONDS ?= 10
FUZZ_RUNS ?= 1000000
JOBS ?= 2
ARCH ?=
ROOT := $(abspath .)
export QUIZ_BUILD := $(abspath $(BUILD))
export QUIZ_ARCH := $(ARCH)
TEST_ARCHES = $(or $(ARCH),$(shell tests/wine-arches))

.PHONY: all setup windows host-config builder build test soak-tests demo studio bench measure measure-web measure-studio measure-results measure-builder fuzz soak dist clean
QUIZ ?= capitales
WEB ?=

all: build

setup:
	tools/setup-debian

WIN32_CMAKE = cmake -S . -B $(BUILD)/win32 -DCMAKE_TOOLCHAIN_FILE=$(ROOT)/cmake/mingw-i686.cmake -DQUIZ_TESTS=ON

windows: setup
	$(WIN32_CMAKE)
	cmake --build $(BUILD)/win32 -j$(JOBS)
	cmake -S . -B $(BUILD)/win64 -DCMAKE_TOOLCHAIN_FILE=$(ROOT)/cmake/mingw-x86_64.cmake -DQUIZ_TESTS=ON
	cmake --build $(BUILD)/win64 -j$(JOBS)

# The node that builds the pages and runs their tests is Debian 12's own, as
# a fresh machine has it, even where a newer one comes first in PATH (a
# private copy then, kept in build/debian-node for every tree).
HOST_CMAKE = node=$$(tools/debian-node $(ROOT)/build/debian-node) && \
	cmake -S . -B $(BUILD)/host -DQUIZ_TESTS=ON -DQUIZ_WIN32_DIR=$(QUIZ_BUILD)/win32 \
	    -DQUIZ_WIN64_DIR=$(QUIZ_BUILD)/win64 "-DQUIZ_WINE_ARCHES=$(TEST_ARCHES)" \
	    -DQUIZ_FUZZ_DIR=$(abspath $(BUILD)/fuzz) -DQUIZ_FUZZ_SECONDS=$(FUZZ_SECONDS) "-DQUIZ_NODE=$$node"

# The host tree's configuration alone, as build and builder make it.
host-config:
	$(HOST_CMAKE)

build: windows
	cmake -S . -B $(BUILD)/fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DQUIZ_FUZZ=ON
	cmake --build $(BUILD)/fuzz -j$(JOBS) --target fuzz_targets
	$(HOST_CMAKE)
	cmake --build $(BUILD)/host -j$(JOBS)

# The native quiz builder alone (build/host/quizbuild), which tools/quizbuild runs.
builder: setup
	$(HOST_CMAKE)
	cmake --build $(BUILD)/host -j$(JOBS) --target quizbuild

test: build
	@if [ -n "$(ARCH)" ]; then echo "Wine tests: $(ARCH) only (ARCH=$(ARCH))"; else tests/wine-arches --why 2>&1 >/dev/null; fi
	QUIZ_ARCHES="$(TEST_ARCHES)" tests/with-display \
	    ctest --test-dir $(BUILD)/host --output-on-failure -j$(JOBS)

# The Wine, page and studio tests, each run SOAK_REPEATS times until one
# fails, two at a time beside two processes that keep both cores busy: a
# test that fails by chance shows here (a long run, not part of make test).
SOAK_REPEATS ?= 10
soak-tests: build
	QUIZ_ARCHES="$(TEST_ARCHES)" tests/with-display tests/under-load \
	    ctest --test-dir $(BUILD)/host --output-on-failure -j$(JOBS) -R 'wine-|web\.|studio\.' \
	    --repeat until-fail:$(SOAK_REPEATS)

# Builds examples/$(QUIZ) (capitales, inventeurs, picture, sound or video)
# and starts it, on the first architecture this host runs unless ARCH says.
# With WEB=1: writes build/demo/$(QUIZ).html, the quiz's web page, and a
# Chromium screenshot of it.
ifeq ($(WEB),1)
demo: builder
	cmake --build $(BUILD)/host -j$(JOBS) --target web_test_modules
	tools/demo-web $(QUIZ)
else
demo: windows builder
	tools/demo $(QUIZ)
endif

# The quiz studio, build/host/studio/quizz-studio.html (it carries the
# 32-bit player, built alone here): opened in Chromium when there is a
# display, else a Chromium screenshot of it, build/studio/quizz-studio.png.
STUDIO_PAGE = $(QUIZ_BUILD)/host/studio/quizz-studio.html
studio: setup
	$(WIN32_CMAKE)
	cmake --build $(BUILD)/win32 -j$(JOBS) --target quizz
	$(HOST_CMAKE)
	cmake --build $(BUILD)/host -j$(JOBS) --target studio_page web_test_modules
	@if [ -n "$$DISPLAY" ]; then \
	    echo "$(STUDIO_PAGE)"; \
	    nohup chromium $$([ "$$(id -u)" = 0 ] && echo --no-sandbox) "file://$(STUDIO_PAGE)" >/dev/null 2>&1 & \
	else \
	    mkdir -p $(QUIZ_BUILD)/studio && \
	    tools/studio-shot "$(STUDIO_PAGE)" $(QUIZ_BUILD)/studio/quizz-studio.png && \
	    echo $(QUIZ_BUILD)/studio/quizz-studio.png; \
	fi

# The fuzz campaign: FUZZ_RUNS executions of every target, what they find
# merged into the corpora in tests/fuzz/corpus.
fuzz: setup
	cmake -S . -B $(BUILD)/fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DQUIZ_FUZZ=ON
	cmake --build $(BUILD)/fuzz -j$(JOBS) --target fuzz_targets
	tests/fuzz/campaign $(abspath $(BUILD)/fuzz) $(FUZZ_RUNS)

bench: build
	$(BUILD)/host/core_bench

# Whole-process timings of the player under Wine (not a test).
measure: windows builder
	tools/measure-player

# The studio page with the 32-bit player it carries, the builder and the
# browser driver, for the studio's benchmarks.
define build-studio-tools
$(WIN32_CMAKE)
cmake --build $(BUILD)/win32 -j$(JOBS) --target quizz
$(HOST_CMAKE)
cmake --build $(BUILD)/host -j$(JOBS) --target studio_page quizbuild web_test_modules
endef

# The web page's sizes and timings in headless Chromium (not a test).
measure-web: builder
	cmake --build $(BUILD)/host -j$(JOBS) --target web_test_modules
	tools/measure-web

# The quiz studio's size and timings in headless Chromium: opening it, a
# keystroke's checks and preview and the program's export in a 90-photo
# quiz against the native quizbuild, 8 and 90 phone photos fitted as they
# are picked, and sound quizzes of 512 and 1023 MiB (not a test). The studio carries the 32-bit player, built alone here.
measure-studio: setup
	$(build-studio-tools)
	tools/measure-studio

# How results come back: the SCORM package's page against the plain page,
# the platform calls of one judgement, and quizbuild results over 35
# answers files natively and in the studio (not a test).
measure-results: setup
	$(build-studio-tools)
	tools/measure-results

# Starts and closes a 90-entry quiz SOAK_STARTS times and spreads F1
# SOAK_SPREADS times, printing the player's memory (not a test).
SOAK_STARTS ?= 500
SOAK_SPREADS ?= 1000
soak: windows
	tests/with-display bash -c 'source tests/wine-env && tests/wine-run "$$QUIZ_WINDIR/soak.exe" $(SOAK_STARTS) $(SOAK_SPREADS)'

# The quiz builder's time, native against Windows under Wine (not a test).
measure-builder: build
	tools/measure-builder

# The release zip (players, builders for Windows and Linux, the quiz
# studio, the README and the docs it links, examples and templates); prints
# its path.
dist: windows builder
	cmake --build $(BUILD)/host -j$(JOBS) --target studio_page
	tools/dist

clean:
	rm -rf $(BUILD)
