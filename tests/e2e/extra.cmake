# The end-to-end tests run the built program and compare with the embedded pictures.
target_link_libraries(test_${name} PRIVATE mundora_resources)
add_dependencies(test_${name} mundora)
# The panel's sun lines are compared with libnova.
find_library(NOVA_LIB nova REQUIRED)
target_link_libraries(test_${name} PRIVATE ${NOVA_LIB})
