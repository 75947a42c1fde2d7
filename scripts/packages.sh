# The Debian packages of each job (sourced).
# nlohmann-json3-dev: the JSON reader of the inputs file (header-only; the cross-build uses it too).
# libeigen3-dev: the section model's sparse Cholesky (header-only, MPL-2.0 parts only).
BUILD_PACKAGES=(cmake ninja-build g++ make pkg-config zlib1g-dev nlohmann-json3-dev libeigen3-dev)
# The window: Qt 6 Widgets and the Tahoma of fonts-wine.
APP_PACKAGES=(qt6-base-dev fonts-wine)
# The fuzz targets: clang 14 with its libFuzzer and sanitizer runtimes.
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
# The Linux package: dpkg-shlibdeps for its dependencies, the checkers of its desktop entry and
# AppStream metainfo.
DEB_PACKAGES=(dpkg-dev desktop-file-utils appstream)
# The window's tests also open it on a virtual X display with a window manager.
TEST_PACKAGES=("${BUILD_PACKAGES[@]}" libgtest-dev libbenchmark-dev "${APP_PACKAGES[@]}"
  "${FUZZ_PACKAGES[@]}" xvfb xauth openbox "${DEB_PACKAGES[@]}")
# The Windows cross-build and its tests under Wine (64-bit Wine only: no i386 architecture).
# googletest: the sources the cross-build compiles; nlohmann-json3-dev: the JSON reader's
# headers; libeigen3-dev: the section model's sparse Cholesky (header-only); nsis: the
# installer; xvfb and openbox: a screen for the window's tests; fonts-wine: Tahoma for the prefix.
WINDOWS_PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix libz-mingw-w64-dev googletest
  nlohmann-json3-dev libeigen3-dev wine wine64 fonts-wine nsis xvfb xauth openbox)
