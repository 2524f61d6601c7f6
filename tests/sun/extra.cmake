# The sun tests compare against libnova's solar position (test-only dependency).
find_library(NOVA_LIB nova REQUIRED)
target_link_libraries(test_${name} PRIVATE ${NOVA_LIB})
