# Sourced by scripts/test and scripts/fuzz (from the repository's top folder): installs what
# is missing and configures the test build, AddressSanitizer and UndefinedBehaviorSanitizer
# with clang so that the fuzz targets build too. Builds nothing itself.
test_build=build/test

configure_test_build() {
    scripts/setup
    cmake -S . -B "$test_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DMUNDORA_SANITIZE=ON -DMUNDORA_TESTS=ON >/dev/null
}
