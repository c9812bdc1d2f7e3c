# Developer entry points; ./run.sh and ./test.sh install the packages first and then call these.
BUILD  ?= build
NATIVE := $(BUILD)/native
WIN    := $(BUILD)/win
WIN64  := $(BUILD)/win64
JOBS   ?= $(shell nproc)
MAKEFLAGS += --no-print-directory

.PHONY: all native win win64 test test-native test-win fuzz fuzz-short soak soak-short run bench format clean

all: win

native:
	@cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(NATIVE) -j$(JOBS)

win: native
	@cmake -S . -B $(WIN) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
	       -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRESGEN=$(abspath $(NATIVE))/tools/resgen/resgen >/dev/null
	@cmake --build $(WIN) -j$(JOBS) $(if $(WIN_TARGETS),--target $(WIN_TARGETS))

# The same tree for x86_64, beside the shipped 32-bit build.
win64: native
	@cmake -S . -B $(WIN64) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake \
	       -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRESGEN=$(abspath $(NATIVE))/tools/resgen/resgen >/dev/null
	@cmake --build $(WIN64) -j$(JOBS) $(if $(WIN64_TARGETS),--target $(WIN64_TARGETS))

# Native units under ASan/UBSan, then everything Windows under Wine on one test desktop
# (one Xvfb, one compositor, one Wine prefix for the whole run): the 32-bit build where this
# machine runs 32-bit programs, else the 64-bit one (see tests/gui/windows_tests.py).
test: test-native fuzz-short test-win soak-short


test-native: native
	ctest --test-dir $(NATIVE) --output-on-failure

# The build whose tests run is built whole; of the other one, what runs or ships: where both
# run, the 64-bit Wine unit tests; where only 64-bit programs run, the 32-bit products.
test-win: native
	@if [ "$$(python3 tests/gui/wine_arch.py --target)" = win ]; then \
	  $(MAKE) win && $(MAKE) win64 WIN64_TARGETS=win_tests; \
	else \
	  $(MAKE) win64 && $(MAKE) win WIN_TARGETS="Snapshot Lumetta"; \
	fi
	python3 tests/gui/windows_tests.py $(WIN) $(WIN64)

# Fuzzing of the platform-free units that take input from outside (the INI editors, their
# encodings, the hotkey text, the engine's command line, dialog templates, the clipboard picture's
# sizes, the settings folder's path): clang's libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer, each target FUZZ_SECONDS long from its seeds in fuzz/corpus/TARGET/
# (what it finds on the way stays in $(BUILD)/fuzz/corpus/, a failing input in $(BUILD)/fuzz/).
# make test runs them 10 s each, to keep the whole test run short.
FUZZ         := $(BUILD)/fuzz
FUZZ_SECONDS ?= 20
FUZZ_TARGETS := launcher_ini_text settings_ini_text ini_encoding hotkey_text command_line \
                dialog_template clipboard_dib settings_paths
FUZZ_SOURCES := launcher/ini_text.cpp launcher/ini_document.cpp launcher/hotkey_setting.cpp \
                screenshot/base/settings_encoding.cpp screenshot/output/settings_ini_text.cpp \
                screenshot/app/command_line.cpp screenshot/ui/dialog_template.cpp \
                screenshot/output/clipboard_dib.cpp screenshot/output/settings_paths.cpp
# Each source's own header, and the headers those include from the tree.
FUZZ_HEADERS := $(FUZZ_SOURCES:.cpp=.h) screenshot/base/geometry.h
FUZZ_OBJECTS := $(addprefix $(FUZZ)/obj/,$(FUZZ_SOURCES:.cpp=.o))
FUZZ_FLAGS   := -std=c++17 -g -O1 -I. -fsanitize=fuzzer-no-link,address,undefined \
                -fno-sanitize-recover=all

.SECONDARY: $(FUZZ_OBJECTS)
$(FUZZ)/obj/%.o: %.cpp $(FUZZ_HEADERS)
	@mkdir -p $(dir $@)
	clang++ $(FUZZ_FLAGS) -c $< -o $@

$(FUZZ)/%: fuzz/%_fuzz.cpp fuzz/fuzz_input.h $(FUZZ_OBJECTS) $(FUZZ_HEADERS)
	clang++ $(FUZZ_FLAGS) -fsanitize=fuzzer $< $(FUZZ_OBJECTS) -o $@

fuzz: $(addprefix $(FUZZ)/,$(FUZZ_TARGETS))
	@for t in $(FUZZ_TARGETS); do \
	  mkdir -p $(FUZZ)/corpus/$$t; \
	  $(FUZZ)/$$t -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	      -artifact_prefix=$(FUZZ)/$$t- $(FUZZ)/corpus/$$t fuzz/corpus/$$t >$(FUZZ)/$$t.log 2>&1 \
	    || { tail -n 60 $(FUZZ)/$$t.log; echo "fuzz $$t: FAILED"; exit 1; }; \
	  echo "fuzz $$t: $$(sed -n 's/^stat::number_of_executed_units: *//p' $(FUZZ)/$$t.log) runs" \
	       "in $(FUZZ_SECONDS) s, no failure"; \
	done

fuzz-short:
	@$(MAKE) fuzz FUZZ_SECONDS=10

# Soak (tests/soak/soak.py): captures through the launcher's hotkey, kills of the engine and of
# the launcher, the settings and hotkey files checked after each, resources every 10 captures;
# on the build this machine runs. SOAK_ARGS changes the counts (100, 20 and 10 by default).
soak: native
	@$(MAKE) $$(python3 tests/gui/wine_arch.py --target)
	python3 tests/soak/soak.py $(BUILD) $(SOAK_ARGS)

# The short soak that make test runs, on what test-win built.
soak-short:
	python3 tests/soak/soak.py $(BUILD) --captures 6 --engine-kills 2 --launcher-kills 1

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
