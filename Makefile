# The two commands of the README. Both install what is missing, configure once
# and then build incrementally.
BUILD ?= build
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CLI = $(BUILD)/cli/vertano-cli

.PHONY: all deps configure build test run bench clean format fuzz install package

all: build

deps:
	@./scripts/install-deps.sh

configure: deps
	@[ -f $(BUILD)/build.ninja ] || cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 600

# With a display the desktop program starts on the example; without one the
# command-line program adjusts the examples. Only the two programs are built:
# the tests and benchmarks wait for `make test` and `make bench`.
RUN_TARGETS = vertano-cli $(if $(findstring VERTANO_UI=OFF,$(CMAKE_FLAGS)),,vertano)

run: configure
	@cmake --build $(BUILD) -j $(JOBS) --target $(RUN_TARGETS)
	@./scripts/run-example.sh $(CLI) $(BUILD)/ui/vertano

# PREFIX (default /usr/local) and DESTDIR as usual.
PREFIX ?= /usr/local
install: build
	@cmake --install $(BUILD) --prefix $(PREFIX)

# A Debian package of vertano and vertano-cli in $(BUILD).
package: build
	@./scripts/install-deps.sh package
	@cd $(BUILD) && cpack -G DEB

bench: build
	@for b in $(BUILD)/bench/bench_*; do echo "== $$b"; $$b; done

# libFuzzer on the readers of untrusted files (clang, its own build folder). Each
# target runs FUZZ_SECONDS; what it learns stays in $(FUZZ_BUILD)/corpus, and an
# input that crashes, hangs or leaks is written to $(FUZZ_BUILD)/crashes.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?= fuzz_decode fuzz_raw fuzz_coordinates fuzz_supplementary fuzz_pipeline fuzz_project \
                fuzz_gsi fuzz_gama fuzz_csv

fuzz:
	@./scripts/install-deps.sh fuzz
	@[ -f $(FUZZ_BUILD)/build.ninja ] || CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja \
	    -DCMAKE_BUILD_TYPE=Release -DVERTANO_FUZZ=ON -DVERTANO_TESTS=OFF -DVERTANO_BENCH=OFF \
	    -DVERTANO_UI=OFF
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_all
	@failed=""; for t in $(FUZZ_TARGETS); do \
	    echo "== $$t ($(FUZZ_SECONDS) s)"; \
	    mkdir -p $(FUZZ_BUILD)/corpus/$$t $(FUZZ_BUILD)/crashes/$$t; \
	    $(FUZZ_BUILD)/fuzz/$$t -max_len=4096 -timeout=1 -max_total_time=$(FUZZ_SECONDS) \
	        -print_final_stats=1 -artifact_prefix=$(FUZZ_BUILD)/crashes/$$t/ \
	        $(FUZZ_BUILD)/corpus/$$t fuzz/corpus/$$t examples || failed="$$failed $$t"; \
	done; \
	[ -z "$$failed" ] || { echo "Fuzzing found faults in:$$failed (see $(FUZZ_BUILD)/crashes)"; exit 1; }

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	@rm -rf $(BUILD)
