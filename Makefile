# Thin wrapper over CMake. `make run` and `make test` work on a fresh Debian 12
# machine: both install what is missing first.
BUILD ?= build
ASAN_BUILD ?= build-asan
TSAN_BUILD ?= build-tsan
FUZZ_BUILD ?= build-fuzz
RELEASE_BUILD ?= build-release
CLANG_BUILD ?= build-clang
TIDY_BUILD ?= build-tidy
JOBS ?= $(shell nproc)
# The default build's type; CI builds it as Release, so that one build serves
# both the tests and the check that GCC at -O3 finds nothing to warn about.
BUILD_TYPE ?= RelWithDebInfo
CMAKE_FLAGS ?=

# A compiler cache where one is installed (scripts/install-deps installs ccache),
# kept in the user's cache folder. Paths under the clone are hashed relative to
# it, so another clone of the same tree on this machine finds the same objects.
ifneq ($(shell command -v ccache 2>/dev/null),)
LAUNCHER := -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
export CCACHE_BASEDIR ?= $(CURDIR)
endif
CONFIGURE = cmake -S . $(LAUNCHER)

.PHONY: all deps configure build run test asan tsan release clang tidy format-check bench fuzz format \
	contact-sheet clean package package-check screenshots

all: build

deps:
	@bash scripts/install-deps

$(BUILD)/CMakeCache.txt: | deps
	$(CONFIGURE) -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS)

configure: $(BUILD)/CMakeCache.txt

build: deps configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -x $(BUILD)/bin/vantel ]; then $(BUILD)/bin/vantel; \
	else echo "The game itself is not built yet; the rules, tools and tests are."; fi

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The Debian package, $(BUILD)/vantel_<version>_<architecture>.deb, made by CPack
# from the build.
package: build
	cmake --build $(BUILD) --target package

# The package unpacked and its programs run from there, and lintian over it.
package-check: package
	cd $(BUILD) && VANTEL_REQUIRE_PACKAGE=1 ctest --output-on-failure -L package

# The AppStream metadata's screenshots, drawn by vantel-sim into $(BUILD)/screenshots/.
screenshots: build
	cmake --build $(BUILD) --target screenshots

# The check builds below compile a batch of files to a compiler run. The web
# page is built and tried in a real browser by the default build's tests; the
# sanitizer trees leave it out.
UNITY = -DVANTEL_UNITY=ON
NO_WEB = -DVANTEL_WEB=OFF

# Unit and soak tests with AddressSanitizer and UndefinedBehaviorSanitizer.
# Built by clang, this tree is also the check that clang finds nothing to warn
# about in the whole tree. At -O1 with line tables only, a report still names
# the file and line, and both the build and the tests take far less time than
# unoptimised with full debug information.
ASAN_FLAGS = -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
	"-DCMAKE_CXX_FLAGS_DEBUG=-O1 -gline-tables-only" -DVANTEL_SANITIZE=ON $(NO_WEB)
asan: deps
	$(CONFIGURE) -B $(ASAN_BUILD) $(ASAN_FLAGS) $(UNITY) $(CMAKE_FLAGS)
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS) -LE gui

# The tests that run the Expert on worker threads, under ThreadSanitizer: the
# AI's and the flow's suites, whole simulated hands with the Expert thinking on
# workers, and the server. Only these are built, by clang, which builds them in
# about half GCC's time; a race it finds fails the run.
TSAN_RUN = TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1"
TSAN_FLAGS = -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTEL_TSAN=ON \
	-DVANTEL_BENCH=OFF $(NO_WEB)
tsan: deps
	$(CONFIGURE) -B $(TSAN_BUILD) $(TSAN_FLAGS) $(UNITY) $(CMAKE_FLAGS)
	cmake --build $(TSAN_BUILD) -j $(JOBS) --target ai_tests flow_tests sim_paired_tests server_tests
	$(TSAN_RUN) $(TSAN_BUILD)/bin/ai_tests
	$(TSAN_RUN) $(TSAN_BUILD)/bin/flow_tests
	$(TSAN_RUN) $(TSAN_BUILD)/bin/sim_paired_tests
	$(TSAN_RUN) $(TSAN_BUILD)/bin/server_tests

# The whole tree as a package builds it: GCC at -O3.
release: deps
	$(CONFIGURE) -B $(RELEASE_BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)
	cmake --build $(RELEASE_BUILD) -j $(JOBS)

# The whole tree with clang, then its quick tests.
clang: deps
	$(CONFIGURE) -B $(CLANG_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ $(UNITY) $(CMAKE_FLAGS)
	cmake --build $(CLANG_BUILD) -j $(JOBS)
	cd $(CLANG_BUILD) && ctest --output-on-failure -j $(JOBS) -L unit

# The checks of .clang-tidy over every file a clang build compiles, each file
# on its own; any finding fails. Needs only a configured tree's compile
# commands, not its objects. A file whose every input is as it was when it
# last passed is not checked again (scripts/cached-clang-tidy).
tidy: deps
	$(CONFIGURE) -B $(TIDY_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ $(CMAKE_FLAGS) -DVANTEL_UNITY=OFF
	find "$${VANTEL_TIDY_CACHE:-$${XDG_CACHE_HOME:-$$HOME/.cache}/vantel/clang-tidy}" -type f -mtime +30 -delete 2>/dev/null || true
	run-clang-tidy -p $(TIDY_BUILD) -quiet -j $(JOBS) -clang-tidy-binary $(CURDIR)/scripts/cached-clang-tidy

# Fails, naming the lines, where a tracked file is not as `make format` leaves it.
format-check: deps
	@git ls-files '*.cc' '*.h' | xargs clang-format --dry-run --Werror

bench: build
	@for b in $(BUILD)/bin/bench_*; do [ -x "$$b" ] && "$$b" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true; done

fuzz: deps
	$(CONFIGURE) -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DVANTEL_FUZZ=ON -DVANTEL_BENCH=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_all

format:
	@git ls-files --cached --others --exclude-standard '*.cc' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(TSAN_BUILD) $(FUZZ_BUILD) $(RELEASE_BUILD) $(CLANG_BUILD) $(TIDY_BUILD)

# A PNG of every picture the resource generator draws, to look over by eye.
contact-sheet: deps configure
	cmake --build $(BUILD) -j $(JOBS) --target contact-sheet

# Runs every fuzz target for FUZZ_SECONDS each, keeping its corpus in the fuzz build
# (the message parser with its own dictionary of JSON pieces and a seed of each message).
FUZZ_SECONDS ?= 60
.PHONY: fuzz-run
fuzz-run: fuzz
	@for t in $(FUZZ_BUILD)/bin/fuzz_*; do c=$(FUZZ_BUILD)/corpus/$$(basename $$t); mkdir -p $$c; \
	  d=fuzz/pak.dict; case $$t in *client_message) d=fuzz/client_message.dict;; esac; \
	  s=fuzz/seeds/$$(basename $$t); [ -d $$s ] || s=; \
	  $$t -dict=$$d -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 $$c $$s || exit 1; done
