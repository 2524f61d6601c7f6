# The panel tests draw with the built-in panel strip, small sprites and font.
target_link_libraries(test_${name} PRIVATE mundora_resources)
