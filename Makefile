# SPDX-License-Identifier: GPL-3.0-or-later

# Front door: `make run` and `make test` install what is missing, configure, build and go.
MAKEFLAGS += --no-print-directory
BUILD ?= build
PACKAGE_BUILD ?= build-package
FUZZ_BUILD ?= build-fuzz
SANITIZE_BUILD ?= build-asan
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
FUZZ_SECONDS ?= 60

.PHONY: all deps deps-test configure build configure-all build-all run test bench screenshots \
        package fuzz-build sanitize-build fuzz format clean

all: build

deps:
	@bash scripts/install-deps.sh run

deps-test:
	@bash scripts/install-deps.sh test

# The program and the calculator: no test or benchmark frameworks needed.
configure: deps
	@cmake -S . -B $(BUILD) -DVORN_BUILD_TESTS=OFF -DVORN_BUILD_BENCH=OFF $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# Everything: program, tests and benchmarks, optimized as a packager builds them (-O3) and
# with warnings as errors.
configure-all: deps-test
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DVORN_WERROR=ON -DVORN_BUILD_TESTS=ON \
	  -DVORN_BUILD_BENCH=ON -DVORN_FUZZ_BUILD=$(abspath $(FUZZ_BUILD)) \
	  -DVORN_SANITIZE_BUILD=$(abspath $(SANITIZE_BUILD)) $(CMAKE_FLAGS) >/dev/null

build-all: configure-all
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@bash scripts/run-vorn.sh $(BUILD)/gui/vorn

test: build-all fuzz-build sanitize-build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build-all
	@for b in $(BUILD)/bench/bench_*; do echo "== $$b"; $$b; done

# Pictures of the main window, taken offscreen, into $(BUILD)/screenshots.
screenshots: build
	@QT_QPA_PLATFORM=offscreen $(BUILD)/gui/vorn-screenshots $(BUILD)/screenshots

# The Debian package, built in $(PACKAGE_BUILD) as a packager builds it whatever $(BUILD) is
# configured for, and copied to $(BUILD)/vorn_<version>_amd64.deb, where the packaging tests
# look: `sudo apt install ./$(BUILD)/vorn_*.deb`. The compiler and linker flags are Debian's,
# with every hardening feature.
package: deps
	@export DEB_BUILD_MAINT_OPTIONS=hardening=+all; \
	cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=Release -DVORN_BUILD_GUI=ON \
	  -DVORN_BUILD_TESTS=OFF -DVORN_BUILD_BENCH=OFF \
	  -DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CPPFLAGS) $$(dpkg-buildflags --get CXXFLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)" \
	  -DCMAKE_MODULE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)" $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(PACKAGE_BUILD) -j $(JOBS)
	@rm -f $(PACKAGE_BUILD)/vorn_*.deb
	@cd $(PACKAGE_BUILD) && cpack -G DEB
	@mkdir -p $(BUILD)
	@for f in $(PACKAGE_BUILD)/vorn_*.deb; do cp "$$f" $(BUILD)/ && echo "Copied to $(BUILD)/$${f##*/}"; done

# The file readers built with clang's libFuzzer (skipped without clang); `make test` runs them
# briefly, `make fuzz` for FUZZ_SECONDS each. Corpora grow in $(FUZZ_BUILD)/corpus.
fuzz-build: deps-test
	@if command -v clang++ >/dev/null; then \
	  CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DVORN_FUZZ=ON -DVORN_WERROR=ON -DVORN_BUILD_GUI=OFF \
	    -DVORN_BUILD_BENCH=OFF -DVORN_BUILD_TESTS=OFF >/dev/null && \
	  cmake --build $(FUZZ_BUILD) -j $(JOBS) --target vorn_fuzz_seeds fuzz_read_document \
	    fuzz_load_settings fuzz_import_old fuzz_read_recovery fuzz_read_scala; \
	else echo "clang++ not found: the fuzz targets are not built"; fi

# The core and window tests under AddressSanitizer and UndefinedBehaviorSanitizer, in
# $(SANITIZE_BUILD); `make test` runs them (ctest -L sanitizers there).
sanitize-build: deps-test
	@cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVORN_SANITIZE=ON -DVORN_BUILD_TESTS=ON \
	  -DVORN_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS) --target sanitizer_tests

fuzz: fuzz-build
	@bash scripts/run-fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

format:
	@bash scripts/format.sh

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD) $(SANITIZE_BUILD) $(PACKAGE_BUILD)
