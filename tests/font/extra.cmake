target_link_libraries(test_${name} PRIVATE mundora_resources)
