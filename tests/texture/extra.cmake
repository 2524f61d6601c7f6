# The compositing tests compare the shadow with libnova's solar position (test-only).
find_library(NOVA_LIB nova REQUIRED)
target_link_libraries(test_${name} PRIVATE ${NOVA_LIB})
