# Every target installs what is missing, configures and builds through CMake.
BUILD ?= build
CMAKE_FLAGS ?=
APT_PACKAGES := cmake g++ make libgtest-dev libbenchmark-dev

.PHONY: deps build test bench run clean

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
	cmake --build $(BUILD)-bench -j$$(nproc) --target velox_bench
	$(BUILD)-bench/velox_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

run: build
	$(BUILD)/velox-demo

clean:
	rm -rf $(BUILD) $(BUILD)-bench
