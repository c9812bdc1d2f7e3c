# Developer entry points; ./run.sh and ./test.sh install the packages first and then call these.
BUILD  ?= build
NATIVE := $(BUILD)/native
WIN    := $(BUILD)/win
WIN64  := $(BUILD)/win64
JOBS   ?= $(shell nproc)
MAKEFLAGS += --no-print-directory

.PHONY: all native win win64 test test-native test-win run bench format clean

all: win

native:
	@cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(NATIVE) -j$(JOBS)

win: native
	@cmake -S . -B $(WIN) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
	       -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRESGEN=$(abspath $(NATIVE))/tools/resgen/resgen >/dev/null
	@cmake --build $(WIN) -j$(JOBS)

# The same tree for x86_64, beside the shipped 32-bit build.
win64: native
	@cmake -S . -B $(WIN64) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake \
	       -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRESGEN=$(abspath $(NATIVE))/tools/resgen/resgen >/dev/null
	@cmake --build $(WIN64) -j$(JOBS)

# Native units under ASan/UBSan, then everything Windows under Wine on one test desktop
# (one Xvfb, one compositor, one Wine prefix for the whole run): the 32-bit build where this
# machine runs 32-bit programs, else the 64-bit one (see tests/gui/windows_tests.py).
test: test-native test-win

test-native: native
	ctest --test-dir $(NATIVE) --output-on-failure

test-win: win win64
	python3 tests/gui/windows_tests.py $(WIN) $(WIN64)

# The launcher of the build this machine can run (32-bit where it can).
run: native
	@$(MAKE) $$(python3 tests/gui/wine_arch.py --target)
	python3 scripts/run.py $(BUILD)

# Drag-step cost under Wine (see bench/), on the build this machine can run.
bench: native
	@$(MAKE) $$(python3 tests/gui/wine_arch.py --target)
	python3 bench/run.py $(BUILD)/$$(python3 tests/gui/wine_arch.py --target)/bin

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD)
