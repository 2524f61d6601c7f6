# The geo tests compare sun times with libnova and daylight-saving results with the C
# library's zoneinfo; they also convert zone rule strings with the builder's converter.
find_library(NOVA_LIB nova REQUIRED)
target_link_libraries(test_${name} PRIVATE ${NOVA_LIB})
target_sources(test_${name} PRIVATE ${PROJECT_SOURCE_DIR}/tools/citydb/posix_tz.cpp)
target_include_directories(test_${name} PRIVATE ${PROJECT_SOURCE_DIR}/tools/citydb)
# The place drawing tests draw labels with the built-in font.
target_link_libraries(test_${name} PRIVATE mundora_resources)
