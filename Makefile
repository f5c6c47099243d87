# The two commands of the README. Both install what is missing, configure once
# and then build incrementally.
BUILD ?= build
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CLI = $(BUILD)/cli/vertano-cli

.PHONY: all deps configure build test run bench clean format

all: build

deps:
	@./scripts/install-deps.sh

configure: deps
	@[ -f $(BUILD)/build.ninja ] || cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 600

run: build
	@./scripts/run-example.sh $(CLI)

bench: build
	@for b in $(BUILD)/bench/bench_*; do echo "== $$b"; $$b; done

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	@rm -rf $(BUILD)
