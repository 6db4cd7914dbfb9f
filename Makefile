# Every target installs what is missing, configures and builds through CMake.
BUILD ?= build
CMAKE_FLAGS ?=
APT_PACKAGES := cmake g++ make libgtest-dev libbenchmark-dev qt6-base-dev fonts-dejavu-core

.PHONY: deps build test bench run screenshots clean

deps:
	@missing=""; for p in $(APT_PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  SUDO=""; [ "$$(id -u)" -ne 0 ] && SUDO=sudo; \
	  $$SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq $$missing; \
	fi

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$$(nproc)

test: build
	cd $(BUILD) && ctest --output-on-failure -j$$(nproc)

bench: deps
	cmake -S . -B $(BUILD)-bench -DCMAKE_BUILD_TYPE=Release -DVELOX_BUILD_TESTS=OFF -DVELOX_BUILD_BENCH=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD)-bench -j$$(nproc) --target velox_bench velox_window_bench velox_tick_rate
	$(BUILD)-bench/velox_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	QT_QPA_PLATFORM=offscreen $(BUILD)-bench/velox_window_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	QT_QPA_PLATFORM=offscreen $(BUILD)-bench/velox_tick_rate

# The window needs a graphical session; without one the headless
# demonstration runs instead.
run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  $(BUILD)/velox; \
	else \
	  echo "The velox window needs a graphical session (neither DISPLAY nor WAYLAND_DISPLAY is set);"; \
	  echo "running the headless demonstration instead."; \
	  $(BUILD)/velox-demo; \
	fi

# Pictures of the main window, idle and running, under the offscreen platform.
screenshots: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/velox-screenshots $(BUILD)/screenshots

clean:
	rm -rf $(BUILD) $(BUILD)-bench
