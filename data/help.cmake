# The help page that the Help button opens, copied into the data folder as mdora.htm.
set(help_page ${MUNDORA_DATA_DIR}/mdora.htm)
add_custom_command(OUTPUT ${help_page}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/mdora.htm ${help_page}
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/mdora.htm
    COMMENT "Copying the help page into the data folder")
add_custom_target(mundora_help DEPENDS ${help_page})
add_dependencies(mundora_data mundora_help)
