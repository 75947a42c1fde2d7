# The Debian packages of each job (sourced).
BUILD_PACKAGES=(cmake ninja-build g++ make pkg-config zlib1g-dev)
# The window: Qt 6 Widgets and the Tahoma of fonts-wine.
APP_PACKAGES=(qt6-base-dev fonts-wine)
# The window's tests also open it on a virtual X display with a window manager.
TEST_PACKAGES=("${BUILD_PACKAGES[@]}" libgtest-dev libbenchmark-dev "${APP_PACKAGES[@]}"
  xvfb xauth openbox)
