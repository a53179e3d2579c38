# Set-up and everyday commands. Each target installs what it needs first
# (as root; otherwise it prints the apt-get line to run), then configures
# and builds through the CMake presets.

RUN_PACKAGES   := cmake ninja-build g++ make qt6-base-dev libgl-dev libcups2-dev qt6-wayland \
                  fonts-ipafont-gothic fonts-rocknroll
TEST_PACKAGES  := $(RUN_PACKAGES) libgtest-dev libbenchmark-dev locales qt6-base-private-dev \
                  libx11-dev xvfb xdotool x11-utils imagemagick weston qt6-gtk-platformtheme \
                  cups poppler-utils python3
FUZZ_PACKAGES  := clang libclang-rt-dev
# Windows: Qt for Windows is built from Debian's qt6-base source (dpkg-dev
# fetches it) and cached outside the clone; NSIS builds the setup program;
# the tests run under Wine.
WINDOWS_PACKAGES      := cmake ninja-build qt6-base-dev libgtest-dev dpkg-dev xz-utils git nsis \
                         g++-mingw-w64-x86-64-posix mingw-w64
WINDOWS_TEST_PACKAGES := $(WINDOWS_PACKAGES) wine64 wine xvfb xdotool x11-utils imagemagick unzip icoutils \
                         fonts-ipafont-gothic fonts-rocknroll

ENSURE := scripts/ensure-packages
# Extra configure options, e.g. CMAKE_ARGS=-DPELMARO_WERROR=ON
CMAKE_ARGS ?=

.PHONY: all build run test test-asan package windows test-windows bench print-bench startup screenshot sweep sweep-windows fuzz clean

all: build

build:
	@$(ENSURE) $(RUN_PACKAGES)
	cmake --preset default $(CMAKE_ARGS)
	cmake --build --preset default

run:
ifeq ($(DISPLAY)$(WAYLAND_DISPLAY),)
	$(error no display to open the window on: DISPLAY and WAYLAND_DISPLAY are unset)
endif
	@$(MAKE) --no-print-directory build
	build/default/window/pelmaro

test:
	@$(ENSURE) $(TEST_PACKAGES)
	cmake --preset default $(CMAKE_ARGS)
	cmake --build --preset default
	ctest --preset default

test-asan:
	@$(ENSURE) $(TEST_PACKAGES)
	cmake --preset asan $(CMAKE_ARGS)
	cmake --build --preset asan
	ctest --preset asan

package:
	@$(ENSURE) $(RUN_PACKAGES) dpkg-dev
	cmake --preset default $(CMAKE_ARGS)
	cmake --build --preset default --target pelmaro
	cd build/default && cpack -C RelWithDebInfo -B package
	@ls build/default/package/*.deb

windows:
	@$(ENSURE) $(WINDOWS_PACKAGES)
	@qt=$$(scripts/windows-qt.sh) && export PELMARO_WINDOWS_QT=$$qt && set -x && \
	  cmake --preset windows $(CMAKE_ARGS) && cmake --build --preset windows
	cd build/windows && cpack -B . >/dev/null
	@ls build/windows/pelmaro-*-windows-x86_64.zip build/windows/pelmaro-*-windows-x86_64-setup.exe

test-windows: windows
	@$(ENSURE) $(WINDOWS_TEST_PACKAGES)
	bash scripts/windows-test.sh

bench:
	@$(ENSURE) $(TEST_PACKAGES)
	cmake --preset default $(CMAKE_ARGS)
	cmake --build --preset default --target power_bench
	build/default/bench/power_bench

print-bench:
	@$(ENSURE) $(TEST_PACKAGES)
	cmake --preset default $(CMAKE_ARGS)
	cmake --build --preset default --target print_bench
	bash bench/print_bench.sh build/default/bench/print_bench

startup:
	@$(ENSURE) $(TEST_PACKAGES)
	cmake --preset default $(CMAKE_ARGS)
	cmake --build --preset default --target pelmaro minimal_window time_to_map
	bash bench/startup.sh build/default/window/pelmaro build/default/bench/minimal_window build/default/bench/time_to_map

screenshot:
	@$(ENSURE) $(TEST_PACKAGES)
	cmake --preset default $(CMAKE_ARGS)
	cmake --build --preset default --target pelmaro
	bash scripts/screenshot.sh build/default/window/pelmaro docs/screenshot.png

# e.g. SWEEP_ARGS="--rows 0 99 --row-digests" to split the sweep into parts
SWEEP_ARGS ?=
sweep:
	@$(ENSURE) $(TEST_PACKAGES)
	cmake --preset default $(CMAKE_ARGS)
	cmake --build --preset default --target residual_sweep
	build/default/tests/power/residual_sweep $(SWEEP_ARGS)

sweep-windows: windows
	@$(ENSURE) $(WINDOWS_TEST_PACKAGES)
	WINEPREFIX=$(CURDIR)/build/windows/wine WINEDEBUG=-all \
	  /usr/lib/wine/wine64 build/windows/tests/power/residual_sweep.exe $(SWEEP_ARGS)

FUZZ_SECONDS ?= 60
fuzz:
	@$(ENSURE) $(TEST_PACKAGES) $(FUZZ_PACKAGES)
	cmake --preset fuzz $(CMAKE_ARGS)
	cmake --build --preset fuzz --target residual_fuzz
	mkdir -p build/fuzz/corpus
	build/fuzz/tests/power/residual_fuzz -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 build/fuzz/corpus

clean:
	rm -rf build
