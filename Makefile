# Every target installs what is missing, configures and builds through CMake.
# A compiler given as CXX (make CXX=clang++ test) gets a build folder of its
# own, build-clang++, configured with that compiler.
ifneq ($(filter command line environment,$(origin CXX)),)
BUILD ?= build-$(notdir $(CXX))
COMPILER_FLAGS := -DCMAKE_CXX_COMPILER=$(CXX)
endif
BUILD ?= build
CMAKE_FLAGS ?=
PREFIX ?= /usr/local
# qt6-translations-l10n: Qt's Hungarian texts of the standard dialogs;
# libicu-dev: the Hungarian order of velox-batch summary's rows;
# libmpfr-dev: the reference that the model's sine is tested against;
# libfmt-dev, libfast-float-dev: the locale-free number conversions (header-only).
APT_PACKAGES := cmake g++ make libgtest-dev libbenchmark-dev libmpfr-dev locales qt6-base-dev qt6-translations-l10n \
  fonts-dejavu-core desktop-file-utils libicu-dev libfmt-dev libfast-float-dev \
  $(if $(findstring clang,$(CXX)),clang libclang-rt-dev)
# Only the fuzz targets need clang and its fuzzer runtime.
FUZZ_APT_PACKAGES := clang libclang-rt-dev
FUZZ_SECONDS ?= 60
# Only make portable needs the WebAssembly and 64-bit ARM tool chains, their
# runners and GoogleTest's sources.
PORTABLE_APT_PACKAGES := emscripten nodejs g++-aarch64-linux-gnu qemu-user googletest libfmt-dev libfast-float-dev
# -O2 as the build here: GCC 12 reports false string overflows at -O3.
PORTABLE_CMAKE_FLAGS := -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DVELOX_BUILD_WINDOW=OFF \
  -DVELOX_GTEST_SOURCE_DIR=/usr/src/googletest
PORTABLE_TARGETS := velox_model_tests velox-batch velox_step_timer

# The page (make web): Debian's emscripten; its tests drive Debian's
# chromium through playwright-core from npm, which never downloads a browser.
# npm comes with some node packages; Debian's own is installed only where
# there is none (it conflicts with the others).
WEB_APT_PACKAGES := emscripten nodejs chromium
WEB_CMAKE_FLAGS := -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DVELOX_BUILD_WINDOW=OFF \
  -DVELOX_BUILD_TESTS=OFF -DVELOX_BUILD_WEB=ON
WEB_SITE := $(BUILD)-web/site
WEB_PORT ?= 8013
export PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD := 1

.PHONY: deps fuzz-deps portable-deps web-deps web web-run web-test web-bench build test test-soft sine-check sanitize install bench run screenshots fuzz \
  portable clean

deps fuzz-deps portable-deps web-deps:
	@missing=""; for p in $(if $(filter fuzz-deps,$@),$(FUZZ_APT_PACKAGES),$(if $(filter portable-deps,$@),$(PORTABLE_APT_PACKAGES),$(if $(filter web-deps,$@),$(WEB_APT_PACKAGES),$(APT_PACKAGES)))); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  SUDO=""; [ "$$(id -u)" -ne 0 ] && SUDO=sudo; \
	  $$SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq $$missing; \
	fi

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) $(COMPILER_FLAGS) $(CMAKE_FLAGS)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$$(nproc)

test: build
	cd $(BUILD) && ctest --output-on-failure -j$$(nproc)

# Every test once more with the model's extended precision computed by
# integer arithmetic, as on machines whose long double is not the x87 format,
# in a build folder of its own.
test-soft: deps
	cmake -S . -B $(BUILD)-soft $(COMPILER_FLAGS) -DVELOX_SOFTWARE_EXTENDED=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD)-soft -j$$(nproc)
	cd $(BUILD)-soft && ctest --output-on-failure -j$$(nproc)
# The model's sine against MPFR's, bit for bit, on about a million arguments.
sine-check: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$$(nproc) --target velox_sine_check
	$(BUILD)/velox_sine_check

# Everything, the window and its tests included, under AddressSanitizer and
# UndefinedBehaviorSanitizer in a build folder of its own; the first report
# ends the process and fails its test.  -O1 -g1 compiles in half the time of
# -O2 -g and still gives file and line in every report; assertions stay on.
# The runtime options and the one suppression are built into the tests
# (tests/common/SanitizerDefaults.cpp).
sanitize: deps
	cmake -S . -B $(BUILD)-sanitize $(COMPILER_FLAGS) -DVELOX_SANITIZE=ON \
	  -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" $(CMAKE_FLAGS)
	cmake --build $(BUILD)-sanitize -j$$(nproc)
	cd $(BUILD)-sanitize && ctest --output-on-failure -j$$(nproc)

# make install PREFIX=/some/folder: the program folder PREFIX/lib/velox
# (velox, velox-batch, Velox.rtf), links in PREFIX/bin, the desktop entry and
# the icon under PREFIX/share.
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

bench: deps
	cmake -S . -B $(BUILD)-bench $(COMPILER_FLAGS) -DCMAKE_BUILD_TYPE=Release -DVELOX_BUILD_TESTS=OFF -DVELOX_BUILD_BENCH=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD)-bench -j$$(nproc) --target velox_bench velox_step_bench_software velox_sweep_bench \
	  velox_window_bench velox_tick_rate
	$(BUILD)-bench/velox_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	$(BUILD)-bench/velox_step_bench_software --benchmark_filter=SimulationStep --benchmark_repetitions=5 \
	  --benchmark_report_aggregates_only=true
	$(BUILD)-bench/velox_sweep_bench --benchmark_repetitions=3
	QT_QPA_PLATFORM=offscreen $(BUILD)-bench/velox_window_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=2 $(BUILD)-bench/velox_window_bench --benchmark_filter=Enlarged \
	  --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	QT_QPA_PLATFORM=offscreen $(BUILD)-bench/velox_tick_rate

# The window needs a graphical session; without one the timed exercise runs
# headless instead.
run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  $(BUILD)/velox; \
	else \
	  echo "The velox window needs a graphical session (neither DISPLAY nor WAYLAND_DISPLAY is set);"; \
	  echo "running the headless timed exercise (velox-batch) into a temporary folder instead."; \
	  out=$$(mktemp -d "$${TMPDIR:-/tmp}/velox-run.XXXXXX") && $(BUILD)/velox-batch --out "$$out"; \
	fi

# Pictures of the main window, idle, running and with 20 cavities, and of the
# cavity dialog, the exercise text and the quit confirmation, under the
# offscreen platform.
# The program's windows at 100 %, then the running main window on a 1920 × 1080
# screen at 150 % display scaling and, maximised, at 200 %; then the page in
# headless chromium at 100 % and 200 %.
screenshots: build web node_modules/.package-lock.json
	QT_QPA_PLATFORM=offscreen $(BUILD)/velox-screenshots $(BUILD)/screenshots
	QT_QPA_PLATFORM=offscreen VELOX_SCREEN=1920x1080 QT_SCALE_FACTOR=1.5 \
	  $(BUILD)/velox-screenshots $(BUILD)/screenshots --main main-scale-150
	QT_QPA_PLATFORM=offscreen VELOX_SCREEN=1920x1080 QT_SCALE_FACTOR=2 \
	  $(BUILD)/velox-screenshots $(BUILD)/screenshots --main main-maximised-scale-200 --maximised
	node web/tools/screenshots.mjs $(WEB_SITE) $(BUILD)/screenshots

# The file readers, the RTF reader and the comparison of Extended's integer
# arithmetic with the hardware under libFuzzer, FUZZ_SECONDS each,
# starting from the seed corpora in tests/corpus; new inputs go to
# $(BUILD)-fuzz/corpus.  Each name NAME is the program fuzz/NAME_fuzz.cpp; its
# seeds and dictionary are those of the part before the first "_"
# (setup_deep starts from tests/corpus/setup and would use fuzz/setup.dict).
# The file targets come in pairs: a fast one reads, checks and writes the
# file back, a deep one runs the loaded model for a few steps.
FUZZ_TARGETS := setup results rtf setup_deep results_deep extended
fuzz: deps fuzz-deps
	cmake -S . -B $(BUILD)-fuzz -DCMAKE_CXX_COMPILER=clang++ \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELOX_BUILD_TESTS=OFF -DVELOX_BUILD_WINDOW=OFF -DVELOX_BUILD_FUZZ=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD)-fuzz -j$$(nproc) --target $(addsuffix _fuzz,$(FUZZ_TARGETS))
	@for t in $(FUZZ_TARGETS); do \
	  seeds=$${t%%_*}; \
	  mkdir -p $(BUILD)-fuzz/corpus/$$t $(BUILD)-fuzz/artifacts/$$t && \
	  echo "== $${t}_fuzz, $(FUZZ_SECONDS) s" && \
	  dict=""; [ -f fuzz/$$seeds.dict ] && dict="-dict=fuzz/$$seeds.dict"; \
	  $(BUILD)-fuzz/fuzz/$${t}_fuzz $$dict -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
	    -artifact_prefix=$(BUILD)-fuzz/artifacts/$$t/ $(BUILD)-fuzz/corpus/$$t tests/corpus/$$seeds || exit 1; \
	done

# The model, velox-batch and the model tests for two more targets, each run
# there (tests/portable/run): WebAssembly with emscripten under node, and
# 64-bit ARM Linux (static) under qemu-user.  The batch tests of this machine
# drive the other target's velox-batch.  The linker of emscripten finds its
# acorn through NODE_PATH.
portable: deps portable-deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$$(nproc) --target velox_batch_tests
	NODE_PATH=/usr/share/nodejs emcmake cmake -S . -B $(BUILD)-wasm $(PORTABLE_CMAKE_FLAGS) $(CMAKE_FLAGS)
	NODE_PATH=/usr/share/nodejs cmake --build $(BUILD)-wasm -j$$(nproc) --target $(PORTABLE_TARGETS)
	cmake -S . -B $(BUILD)-aarch64 -DCMAKE_TOOLCHAIN_FILE=cmake/aarch64-linux-gnu.cmake $(PORTABLE_CMAKE_FLAGS) $(CMAKE_FLAGS)
	cmake --build $(BUILD)-aarch64 -j$$(nproc) --target $(PORTABLE_TARGETS)
	tests/portable/run wasm $(BUILD)-wasm $(BUILD)
	tests/portable/run aarch64 $(BUILD)-aarch64 $(BUILD)

# The page as a folder of static files: $(WEB_SITE).
web: deps web-deps
	NODE_PATH=/usr/share/nodejs emcmake cmake -S . -B $(BUILD)-web $(WEB_CMAKE_FLAGS) $(CMAKE_FLAGS)
	NODE_PATH=/usr/share/nodejs cmake --build $(BUILD)-web -j$$(nproc) --target velox_site

# Any static file server will do; this one listens on this machine only.
web-run: web
	@echo "Velox: http://127.0.0.1:$(WEB_PORT)/"
	cd $(WEB_SITE) && python3 -m http.server $(WEB_PORT) --bind 127.0.0.1

node_modules/.package-lock.json: package.json package-lock.json | web-deps
	@command -v npm >/dev/null || { SUDO=""; [ "$$(id -u)" -ne 0 ] && SUDO=sudo; \
	  $$SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq npm; }
	npm ci --no-audit --no-fund

# The page in headless chromium; the timed run is compared with velox-batch
# of this machine.
web-test: web $(BUILD)/CMakeCache.txt node_modules/.package-lock.json
	cmake --build $(BUILD) -j$$(nproc) --target velox-batch
	VELOX_SITE=$(WEB_SITE) VELOX_BATCH=$(BUILD)/velox-batch node tests/web/page_test.mjs

# The worst-case tick of the page in headless chromium.
web-bench: web node_modules/.package-lock.json
	VELOX_SITE=$(WEB_SITE) node bench/web/tick_bench.mjs

clean:
	rm -rf $(BUILD)-web $(BUILD) $(BUILD)-bench $(BUILD)-fuzz $(BUILD)-sanitize $(BUILD)-soft $(BUILD)-wasm $(BUILD)-aarch64
