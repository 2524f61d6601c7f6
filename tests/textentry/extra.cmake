# Draws with the built-in control sprites, keyboard pictures and font.
target_link_libraries(test_${name} PRIVATE mundora_resources)
