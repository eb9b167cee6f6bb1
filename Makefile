# `make run` and `make test` do all the set-up on a fresh Debian machine.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo

.PHONY: all deps configure build run test sanitize bench fuzz golden format clean mutate package

all: build

deps:
	@bash scripts/install-deps

# Warnings fail the build: a new one is fixed when it appears, not when it is one of fifty.
# Debug information is line tables only (-g1): backtraces and sanitizer reports keep
# their files and lines, and a fresh build takes about a third less time.
$(BUILD_DIR)/build.ninja:
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
	  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" -DCMAKE_COMPILE_WARNING_AS_ERROR=ON

configure: deps $(BUILD_DIR)/build.ninja

build: configure
	cmake --build $(BUILD_DIR)

run: build
	$(BUILD_DIR)/src/app/edidedit

test: build
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD_DIR) --output-on-failure
	$(MAKE) --no-print-directory sanitize

# The core and command-line tests once more under AddressSanitizer and
# UndefinedBehaviorSanitizer, in their own folder (no GUI, benchmarks or man pages,
# so it stays a few minutes). Any report fails the run. Warnings are the main
# build's gate: the instrumentation makes GCC warn falsely inside std::regex.
SANITIZE_DIR ?= build-sanitize
SANITIZE_FLAGS = -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer

$(SANITIZE_DIR)/build.ninja:
	cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE= \
	  -DEDID_BUILD_GUI=OFF -DEDID_BUILD_BENCH=OFF -DEDID_BUILD_MAN=OFF -DEDID_STATIC_EDIDTOOL=OFF \
	  -DCMAKE_CXX_FLAGS="-O1 -g1 $(SANITIZE_FLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$(SANITIZE_FLAGS)"

sanitize: deps $(SANITIZE_DIR)/build.ninja
	cmake --build $(SANITIZE_DIR) --target core_tests cli_tests
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  $(SANITIZE_DIR)/tests/core_tests --gtest_brief=1
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  $(SANITIZE_DIR)/tests/cli_tests --gtest_brief=1

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
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR)

mutate:
	python3 scripts/mutate

# The Debian package, built in its own folder from only what it holds (no tests,
# benchmarks or fuzzers), with Debian's hardening flags; the man pages' date is
# the last commit's, so the package builds reproducibly.
PACKAGE_DIR ?= build-package

package: deps
	SOURCE_DATE_EPOCH=$$(git log -1 --format=%ct 2>/dev/null || date +%s) && \
	export SOURCE_DATE_EPOCH && \
	cmake -S . -B $(PACKAGE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DEDID_BUILD_TESTS=OFF -DEDID_BUILD_BENCH=OFF -DEDID_BUILD_FUZZ=OFF -DEDID_BUILD_GUI=ON \
	  -DEDID_BUILD_MAN=ON -DEDID_STATIC_EDIDTOOL=OFF \
	  -DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get LDFLAGS)" && \
	cmake --build $(PACKAGE_DIR) && \
	cd $(PACKAGE_DIR) && cpack -G DEB
