# The sample route and place files in routes/: the XML files copied from data/routes, and
# the pictures they show, drawn by mundora-assets from the sprite sheets in assets/flags.
set(route_dir ${MUNDORA_DATA_DIR}/routes)
file(GLOB route_files CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/routes/*.xml)
file(GLOB flag_sheets CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/assets/flags/*.txt)
set(route_outputs)
foreach(file ${route_files})
    get_filename_component(name ${file} NAME)
    add_custom_command(OUTPUT ${route_dir}/${name}
        COMMAND ${CMAKE_COMMAND} -E copy ${file} ${route_dir}/${name}
        DEPENDS ${file}
        COMMENT "Copying routes/${name} into the data folder")
    list(APPEND route_outputs ${route_dir}/${name})
endforeach()
set(flag_outputs)
foreach(sheet ${flag_sheets})
    get_filename_component(name ${sheet} NAME_WE)
    list(APPEND flag_outputs ${route_dir}/flags/${name}.gif)
endforeach()
add_custom_command(OUTPUT ${flag_outputs}
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:mundora-assets> --places ${PROJECT_SOURCE_DIR}/assets/flags
            --out ${route_dir}/flags
    DEPENDS mundora-assets ${flag_sheets}
    COMMENT "Drawing the flags of the sample route files"
    VERBATIM)
add_custom_target(mundora_routes DEPENDS ${route_outputs} ${flag_outputs})
add_dependencies(mundora_data mundora_routes)
