# The Debian packages of each job (sourced).
BUILD_PACKAGES=(cmake ninja-build g++ make pkg-config libpng-dev)
TEST_PACKAGES=("${BUILD_PACKAGES[@]}" libgtest-dev libbenchmark-dev)
