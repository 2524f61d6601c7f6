# The window tests read the window's pixels from the virtual X server, reuse the end-to-end
# helpers that run the program, and install the build (as `cmake --install`) to walk through
# the installed program.
find_package(X11 REQUIRED)
target_sources(test_${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/e2e/run_program.cpp)
target_include_directories(test_${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/e2e ${X11_INCLUDE_DIR})
target_link_libraries(test_${name} PRIVATE ${X11_LIBRARIES})
add_dependencies(test_${name} mundora)
target_compile_definitions(test_${name} PRIVATE MUNDORA_CMAKE="${CMAKE_COMMAND}")
