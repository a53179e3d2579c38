#!/usr/bin/env bash
# Makes sure a static Qt for 64-bit Windows and GoogleTest for MinGW are
# in the cache, building them if they are missing, and prints the folder
# that holds them (Qt and GoogleTest installed side by side).
#
# Qt is built from Debian's own source of the host Qt's version, so the
# cross-built program links the same Qt the Linux one does and the host's
# moc, rcc and uic fit it. The cache lives outside the clone and is keyed
# by the Qt version, the GoogleTest version and a digest of the configure
# options and the toolchain file, so a change to any builds afresh and nothing stale
# is ever used. Building takes about 35 minutes on two cores; a cache hit
# takes no time.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
toolchain=$here/../cmake/mingw-w64-x86_64.cmake

qt_options=(-release -static -static-runtime -xplatform win32-g++ -qt-host-path /usr
  -nomake examples -nomake tests -no-opengl -no-dbus -no-feature-vulkan
  -no-feature-tabletevent -no-feature-sql -no-feature-network -no-feature-concurrent
  -no-feature-xml -qt-pcre -qt-libpng -qt-harfbuzz -qt-doubleconversion -no-libjpeg
  -no-freetype)

qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
gtest_version=$(dpkg-query -W -f='${Version}' libgtest-dev)
# The toolchain file is hashed whole, comments included; it carries no SPDX
# line of its own (LICENSE covers it), so that no comment rebuilds a cache.
digest=$( (echo "${qt_options[*]}"; cat "$toolchain") | sha256sum | cut -c1-12)
if [ -w /var/cache ]; then root=/var/cache/pelmaro; else root=${XDG_CACHE_HOME:-$HOME/.cache}/pelmaro; fi
prefix=$root/windows-qt-${qt_version}-gtest-${gtest_version}-${digest}

log() { echo "windows-qt: $*" >&2; }

if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

mkdir -p "$root"
exec 9>"$root/.lock"
flock 9  # one build at a time; a second caller waits and then finds it done
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

work=$(mktemp -d "$root/build.XXXXXX")
trap 'rm -rf "$work"' EXIT
# Installed in place (Qt's CMake files keep absolute paths); only a build
# that finished is marked complete, so a broken one is started afresh.
rm -rf "$prefix"

fetch_source() {
  cd "$work"
  if ! apt-get source --only-source "qt6-base=$qt_version" >"$work/source.log" 2>&1; then
    # Debian ships binary package lists only; add the source lists of the
    # same suites once, then fetch again.
    [ "$(id -u)" -eq 0 ] || { log "enable deb-src in apt's sources, or run as root"; exit 1; }
    sed -e 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
      >/etc/apt/sources.list.d/pelmaro-deb-src.sources
    apt-get update </dev/null >/dev/null
    apt-get source --only-source "qt6-base=$qt_version" >"$work/source.log" 2>&1 \
      || { cat "$work/source.log" >&2; exit 1; }
  fi
}

build_qt() {
  local source
  source=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
  [ -n "$source" ] || { log "no source folder after apt-get source"; exit 1; }
  mkdir -p "$work/qt-build"
  cd "$work/qt-build"
  log "configuring Qt $qt_version for Windows"
  "$source/configure" -prefix "$prefix" "${qt_options[@]}" -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >"$work/configure.log" 2>&1 \
    || { tail -n 40 "$work/configure.log" >&2; exit 1; }
  log "building Qt (about 35 minutes on two cores)"
  cmake --build . --parallel >"$work/build.log" 2>&1 || { tail -n 40 "$work/build.log" >&2; exit 1; }
  cmake --install . >"$work/install.log" 2>&1 || { tail -n 40 "$work/install.log" >&2; exit 1; }
  gather_licenses "$source"
}

# The licence texts a program linking this Qt statically must ship: Qt's
# own (LGPL 3, which builds on the GPL 3), the third-party code built into
# it, and the MinGW-w64 runtime linked into every executable.
gather_licenses() {
  local source=$1 licenses=$prefix/licenses third name
  mkdir -p "$licenses"
  cp "$source/LICENSES/LGPL-3.0-only.txt" "$licenses/Qt-LGPL-3.0.txt"
  cp "$source/LICENSES/GPL-3.0-only.txt" "$licenses/GPL-3.0.txt"
  for third in harfbuzz-ng/COPYING libpng/LICENSE pcre2/LICENCE zlib/LICENSE double-conversion/LICENSE \
               md4c/LICENSE.md easing/LICENSE sha3/CC0_LICENSE sha3/BRG_ENDIAN_LICENSE tinycbor/LICENSE \
               rfc6234/LICENSE blake2/COPYING icc/LICENSE.txt; do
    name=${third##*/}
    cp "$source/src/3rdparty/$third" "$licenses/Qt-3rdparty-${third%%/*}-${name%.*}.txt"
  done
  cp /usr/share/doc/mingw-w64-common/copyright "$licenses/MinGW-w64-runtime.txt"
  cp /usr/share/doc/gcc-mingw-w64-base/copyright "$licenses/GCC-runtime.txt"
}

build_gtest() {
  log "building GoogleTest $gtest_version for Windows"
  cmake -S /usr/src/googletest -B "$work/gtest-build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DBUILD_GMOCK=OFF -Dgtest_disable_pthreads=OFF >"$work/gtest.log" 2>&1 \
    && cmake --build "$work/gtest-build" >>"$work/gtest.log" 2>&1 \
    && cmake --install "$work/gtest-build" >>"$work/gtest.log" 2>&1 \
    || { tail -n 40 "$work/gtest.log" >&2; exit 1; }
}

start=$SECONDS
fetch_source
build_qt
build_gtest
touch "$prefix/.complete"
log "ready in $((SECONDS - start)) s: $prefix"
echo "$prefix"
