# Developer entry points; ./run.sh and ./test.sh install the packages first and then call these.
BUILD  ?= build
NATIVE := $(BUILD)/native
WIN    := $(BUILD)/win
JOBS   ?= $(shell nproc)
MAKEFLAGS += --no-print-directory

.PHONY: all native win test test-native test-win run bench format clean

all: win

native:
	@cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(NATIVE) -j$(JOBS)

win: native
	@cmake -S . -B $(WIN) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
	       -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRESGEN=$(abspath $(NATIVE))/tools/resgen/resgen >/dev/null
	@cmake --build $(WIN) -j$(JOBS)

# Native units under ASan/UBSan, then everything Windows under Wine on one test desktop
# (one Xvfb, one compositor, one Wine prefix for the whole run).
test: test-native test-win

test-native: native
	ctest --test-dir $(NATIVE) --output-on-failure

test-win: win
	python3 tests/gui/desktop.py -- ctest --test-dir $(WIN) --output-on-failure

run: win
	python3 scripts/run.py $(WIN)/bin

# Drag-step cost under Wine (see bench/).
bench: win
	python3 bench/run.py $(WIN)/bin

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD)
