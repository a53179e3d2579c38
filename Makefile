# SPDX-License-Identifier: MIT
# Set-up and everyday commands. Each target installs what it needs first
# (as root; otherwise it prints the apt-get line to run), then configures
# and builds through the CMake presets, all through the one rule `built`.

RUN_PACKAGES   := cmake ninja-build g++ make qt6-base-dev libgl-dev libcups2-dev qt6-wayland \
                  fonts-ipafont-gothic fonts-rocknroll
TEST_PACKAGES  := $(RUN_PACKAGES) libgtest-dev libbenchmark-dev locales qt6-base-private-dev \
                  libx11-dev xvfb xdotool x11-utils imagemagick weston qt6-gtk-platformtheme \
                  cups printer-driver-cups-pdf ghostscript poppler-utils python3 \
                  orca python3-pyatspi at-spi2-core dbus-daemon xclip
FUZZ_PACKAGES  := clang libclang-rt-dev
# The .deb checked as Debian would and installed (scripts/check-package.sh).
PACKAGE_CHECK_PACKAGES := $(RUN_PACKAGES) dpkg-dev desktop-file-utils lintian appstream man-db locales \
                          xvfb xdotool x11-utils
# Windows: Qt for Windows is built from Debian's qt6-base source (dpkg-dev
# fetches it) and cached outside the clone; NSIS builds the setup program;
# the host g++ builds the program that writes the layout description;
# Python makes the read-mes' usage part from the manuals; the tests run
# under Wine.
WINDOWS_PACKAGES      := cmake ninja-build g++ qt6-base-dev libgtest-dev dpkg-dev xz-utils git nsis python3 \
                         g++-mingw-w64-x86-64-posix mingw-w64
WINDOWS_TEST_PACKAGES := $(WINDOWS_PACKAGES) wine64 wine xvfb xdotool x11-utils xclip imagemagick unzip icoutils inotify-tools \
                         fonts-ipafont-gothic fonts-rocknroll \
                         cups printer-driver-cups-pdf ghostscript python3

ENSURE := scripts/ensure-packages
# Extra configure options, e.g. CMAKE_ARGS=-DPELMARO_WERROR=ON
CMAKE_ARGS ?=
# Wine as every Windows check runs it (prefix, debug channels, binary).
WINE := scripts/wine.sh

# $(call built,PRESET,PACKAGES,TESTS,TARGETS[,SETUP]): installs PACKAGES,
# configures PRESET with the tests and benchmarks ON or OFF, and builds
# TARGETS (everything when empty). SETUP runs first in the same shell, to
# export what the preset reads. The program alone needs none of the test
# libraries, so `make run` works where only RUN_PACKAGES are installed.
define built
	@$(ENSURE) $(2)
	$(5) cmake --preset $(1) -DBUILD_TESTING=$(3) $(CMAKE_ARGS) && \
	  cmake --build --preset $(1) $(if $(4),--target $(4))
endef

.PHONY: all build run test test-asan package check-package windows test-windows bench print-bench startup screenshot sweep sweep-windows fuzz fresh-check clean

all: build

build:
	$(call built,default,$(RUN_PACKAGES),OFF,pelmaro)

run:
ifeq ($(DISPLAY)$(WAYLAND_DISPLAY),)
	$(error no display to open the window on: DISPLAY and WAYLAND_DISPLAY are unset)
endif
	$(call built,default,$(RUN_PACKAGES),OFF,pelmaro)
	build/default/window/pelmaro

test:
	$(call built,default,$(TEST_PACKAGES),ON)
	ctest --preset default

test-asan:
	$(call built,asan,$(TEST_PACKAGES),ON)
	ctest --preset asan

package:
	$(call built,default,$(RUN_PACKAGES) dpkg-dev,OFF,pelmaro documentation)
	cd build/default && cpack -C RelWithDebInfo -B package
	@ls build/default/package/*.deb

check-package: package
	@$(ENSURE) $(PACKAGE_CHECK_PACKAGES)
	bash scripts/check-package.sh

windows:
	$(call built,windows,$(WINDOWS_PACKAGES),ON,,qt=$$(scripts/windows-qt.sh) && export PELMARO_WINDOWS_QT=$$qt &&)
	cd build/windows && cpack -B . >/dev/null
	@ls build/windows/pelmaro-*-windows-x86_64.zip build/windows/pelmaro-*-windows-x86_64-setup.exe

test-windows: windows
	@$(ENSURE) $(WINDOWS_TEST_PACKAGES)
	bash scripts/windows-test.sh

bench:
	$(call built,default,$(TEST_PACKAGES),ON,power_bench)
	build/default/bench/power_bench

print-bench:
	$(call built,default,$(TEST_PACKAGES),ON,print_bench)
	bash bench/print_bench.sh build/default/bench/print_bench

startup:
	$(call built,default,$(TEST_PACKAGES),ON,pelmaro minimal_window time_to_map)
	bash bench/startup.sh build/default/window/pelmaro build/default/bench/minimal_window build/default/bench/time_to_map

screenshot:
	$(call built,default,$(TEST_PACKAGES),ON,pelmaro)
	bash scripts/screenshot.sh build/default/window/pelmaro docs

# e.g. SWEEP_ARGS="--rows 0 99 --row-digests" to split the sweep into parts
SWEEP_ARGS ?=
sweep:
	$(call built,default,$(TEST_PACKAGES),ON,residual_sweep)
	build/default/tests/power/residual_sweep $(SWEEP_ARGS)

sweep-windows: windows
	@$(ENSURE) $(WINDOWS_TEST_PACKAGES)
	$(WINE) build/windows/tests/power/residual_sweep.exe $(SWEEP_ARGS)

FUZZ_SECONDS ?= 60
fuzz:
	$(call built,fuzz,$(TEST_PACKAGES) $(FUZZ_PACKAGES),ON,residual_fuzz)
	mkdir -p build/fuzz/corpus
	build/fuzz/tests/power/residual_fuzz -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 build/fuzz/corpus

# A brand-new Debian 12 in a chroot: `make run`, then `make test`, timed.
fresh-check:
	bash scripts/fresh-check.sh

clean:
	rm -rf build
