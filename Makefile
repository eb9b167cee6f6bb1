# `make run` and `make test` do all the set-up on a fresh Debian machine.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo

.PHONY: all deps configure build run test bench fuzz golden format clean mutate

all: build

deps:
	@bash scripts/install-deps

$(BUILD_DIR)/build.ninja:
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

configure: deps $(BUILD_DIR)/build.ninja

build: configure
	cmake --build $(BUILD_DIR)

run: build
	$(BUILD_DIR)/src/app/edidedit

test: build
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD_DIR) --output-on-failure

bench: build
	bash bench/run

# The fuzzers (clang, sanitizers) in their own build folder, each run for
# FUZZ_SECONDS. That folder builds the fuzzers only, no tests or benchmarks.
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60

$(FUZZ_DIR)/build.ninja:
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DEDID_BUILD_FUZZ=ON -DEDID_BUILD_GUI=OFF -DEDID_BUILD_TESTS=OFF -DEDID_BUILD_BENCH=OFF

fuzz: deps $(FUZZ_DIR)/build.ninja
	cmake --build $(FUZZ_DIR) --target fuzzers
	bash fuzz/run $(FUZZ_SECONDS) $(FUZZ_DIR)/fuzz/*_fuzzer

# Rewrites the expected outputs in tests/data from the current code.
golden: build
	bash tests/data/regenerate

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR)

mutate:
	python3 scripts/mutate
