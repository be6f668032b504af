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

# Speed figures, measured side by side in one run; nothing here is asserted
# and none of it is part of make test.
bench: build
	scripts/bench-clock.sh
	scripts/bench-startup.sh

# Feeds the PIN reader ten million generated inputs under AddressSanitizer
# and UndefinedBehaviorSanitizer (libFuzzer, clang). Not part of make test.
FUZZ_RUNS ?= 10000000
FUZZ := $(BUILD)/fuzz
FUZZ_SOURCES := tests/fuzz/pin_reader_fuzz.cpp src/pin/pin_file.cpp \
  src/overclock/clock_report.cpp src/overclock/batch_runner.cpp \
  src/text/texts.cpp src/text/texts_ja.cpp src/text/texts_en.cpp
$(FUZZ)/pin_reader_fuzz: $(FUZZ_SOURCES) $(wildcard src/pin/*.h src/overclock/*.h src/platform/*.h src/text/*.h)
	@scripts/install-deps.sh fuzz
	mkdir -p $(FUZZ)
	clang++ -std=c++20 -O1 -g -Wall -Wextra -Werror -Isrc \
	  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all $(FUZZ_SOURCES) -o $@

fuzz: $(FUZZ)/pin_reader_fuzz
	mkdir -p $(FUZZ)/corpus
	$(FUZZ)/pin_reader_fuzz -runs=$(FUZZ_RUNS) -max_len=1024 -print_final_stats=1 \
	  $(FUZZ)/corpus tests/fuzz/seeds

clean:
	rm -rf $(BUILD) dist
