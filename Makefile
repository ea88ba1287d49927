# Front door: `make run` and `make test` install what is missing, configure, build and go.
MAKEFLAGS += --no-print-directory
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test bench screenshots fuzz clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@bash scripts/run-vorn.sh $(BUILD)/gui/vorn

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD)/bench/bench_*; do echo "== $$b"; $$b; done

# Pictures of the main window, taken offscreen, into $(BUILD)/screenshots.
screenshots: build
	@QT_QPA_PLATFORM=offscreen $(BUILD)/gui/vorn-screenshots $(BUILD)/screenshots

# libFuzzer runs of the file readers, FUZZ_SECONDS each; corpora grow in $(FUZZ_BUILD)/corpus.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := read_document load_settings import_old

fuzz: deps
	@CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DVORN_FUZZ=ON -DVORN_BUILD_GUI=OFF \
	  -DVORN_BUILD_BENCH=OFF -DVORN_BUILD_TESTS=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target vorn_fuzz_seeds $(addprefix fuzz_,$(FUZZ_TARGETS))
	@$(FUZZ_BUILD)/fuzz/vorn_fuzz_seeds $(FUZZ_BUILD)/seeds
	@for t in $(FUZZ_TARGETS); do \
	  echo "== fuzz_$$t ($(FUZZ_SECONDS) s)"; \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$t $(FUZZ_BUILD)/findings/$$t; \
	  $(FUZZ_BUILD)/fuzz/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) \
	    -artifact_prefix=$(FUZZ_BUILD)/findings/$$t/ \
	    $(FUZZ_BUILD)/corpus/$$t $(FUZZ_BUILD)/seeds/$$t || exit 1; \
	done

clean:
	rm -rf $(BUILD)
