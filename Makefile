# Korvane: `make run` and `make test` install what is missing, build, and
# then run Korvane on the simulated G400 machine or run every test.

BUILD := build
JOBS ?= $(shell nproc)

.PHONY: all deps build build-native build-win32 build-wine-tests dist run test test-native test-win32 test-wine screenshots bench fuzz clean

all: build

deps:
	@scripts/install-deps.sh

build: build-native build-win32 build-wine-tests

$(BUILD)/native/Makefile: CMakeLists.txt
	cmake -S . -B $(BUILD)/native -DKORVANE_BUILD=native

$(BUILD)/win32/Makefile: CMakeLists.txt cmake/mingw-i686-product.cmake
	cmake -S . -B $(BUILD)/win32 -DKORVANE_BUILD=product \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-i686-product.cmake

$(BUILD)/wine-tests/Makefile: CMakeLists.txt cmake/mingw-i686-posix.cmake
	cmake -S . -B $(BUILD)/wine-tests -DKORVANE_BUILD=wine-tests \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-i686-posix.cmake

build-native: deps $(BUILD)/native/Makefile
	$(MAKE) -C $(BUILD)/native -j$(JOBS)

build-win32: deps $(BUILD)/win32/Makefile
	$(MAKE) -C $(BUILD)/win32 -j$(JOBS)

build-wine-tests: deps $(BUILD)/wine-tests/Makefile
	$(MAKE) -C $(BUILD)/wine-tests -j$(JOBS)

# The download a Windows 98 user unpacks, dist/korvane-110.zip: built with
# korvane.exe, copied here.
dist: build-win32
	rm -rf dist
	cp -r $(BUILD)/win32/dist dist
	ls -l dist

# Starts Korvane on the simulated machine: on $DISPLAY when there is one,
# otherwise under Xvfb, taking a screenshot of every tab and dialog.
run: build
	sim/run.sh

screenshots: build
	DISPLAY= sim/run.sh

test: build
	cd $(BUILD)/native && ctest --output-on-failure
	cd $(BUILD)/win32 && ctest --output-on-failure
	cd $(BUILD)/wine-tests && ctest --output-on-failure

# Speed, size and resource figures, measured side by side in one run;
# nothing here is asserted and none of it is part of make test.
bench: build
	scripts/bench-clock.sh
	scripts/bench-startup.sh
	scripts/bench-resources.sh

# Feeds each reader of outside text ten million generated inputs under
# AddressSanitizer and UndefinedBehaviorSanitizer (libFuzzer, clang): the PIN
# file the BIOS tool dumps, the clock tool's report, the backup files the
# restore reads, the replace journal a reset may have cut short, the card's
# BIOS image, and the CPUID dumps support's tool reads. Not part of make
# test.
FUZZ_RUNS ?= 10000000
FUZZ := $(BUILD)/fuzz
FUZZ_TARGETS := pin_reader clock_report backup_reader replace_journal bios_image cpuid_dump
FUZZ_COMMON := src/files/text_lines.cpp src/text/texts.cpp src/text/texts_ja.cpp \
  src/text/texts_en.cpp
pin_reader_SOURCES := src/pin/pin_file.cpp
clock_report_SOURCES := src/overclock/clock_report.cpp src/app/driver_discovery.cpp \
  src/registry/registry.cpp src/runner/batch_runner.cpp src/files/paths.cpp \
  src/files/file_errors.cpp
backup_reader_SOURCES := src/backup/reg_file.cpp
replace_journal_SOURCES := src/files/replace_journal.cpp
bios_image_SOURCES := src/pin/bios_image.cpp src/pin/pin_file.cpp
cpuid_dump_SOURCES := src/platform/fakes/cpuid_dump.cpp src/platform/fakes/mmx_lane_model.cpp \
  src/sysinfo/cpuid_leaves.cpp
# Besides its own seeds, the 68 recorded processors the unit tests replay.
cpuid_dump_SEEDS := tests/data/cpuid
# Room for the longest real input of each: a PIN dump and a report are under
# 1 KB, a backup of every key the program writes about 3 KB.
pin_reader_MAX_LEN := 1024
clock_report_MAX_LEN := 1024
backup_reader_MAX_LEN := 4096
# Three paths of up to 259 characters, each up to 3 bytes in UTF-8.
replace_journal_MAX_LEN := 4096
# A BIOS image as read from C000:0000: 32 KB, or 64 KB at most.
bios_image_MAX_LEN := 65536
# Room for a whole saved report, leaves and all, and for AIDA64's dumps,
# which give a leaf again for each subleaf and each processor.
cpuid_dump_MAX_LEN := 16384

$(FUZZ)/%_fuzz: tests/fuzz/%_fuzz.cpp $(FUZZ_COMMON) $(wildcard src/*/*.cpp src/*/*.h)
	@scripts/install-deps.sh fuzz
	mkdir -p $(FUZZ)
	clang++ -std=c++20 -O1 -g -Wall -Wextra -Werror -Isrc -I. -Itests \
	  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
	  $< $(FUZZ_COMMON) $($*_SOURCES) -o $@

fuzz: $(FUZZ_TARGETS:%=$(FUZZ)/%_fuzz)
	$(foreach target,$(FUZZ_TARGETS),mkdir -p $(FUZZ)/corpus/$(target) && \
	  $(FUZZ)/$(target)_fuzz -runs=$(FUZZ_RUNS) -max_len=$($(target)_MAX_LEN) \
	    -print_final_stats=1 $(FUZZ)/corpus/$(target) tests/fuzz/seeds/$(target) \
	    $($(target)_SEEDS) &&) true

clean:
	rm -rf $(BUILD) dist
