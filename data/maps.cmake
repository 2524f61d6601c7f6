# The default map sets, converted from the public-domain NASA day and night images that
# Debian's xplanet-images installs: Day.gif/Night.gif at 2048 × 1024 and a lighter
# Day1024.gif/Night1024.gif set at 1024 × 512.
set(map_dir ${MUNDORA_DATA_DIR}/maps)
set(map_outputs)
foreach(entry "Day;${MUNDORA_EARTH_DAY};2048" "Night;${MUNDORA_EARTH_NIGHT};2048"
              "Day1024;${MUNDORA_EARTH_DAY};1024" "Night1024;${MUNDORA_EARTH_NIGHT};1024")
    list(GET entry 0 out)
    list(GET entry 1 src)
    list(GET entry 2 width)
    get_filename_component(src_name ${src} NAME)
    add_custom_command(OUTPUT ${map_dir}/${out}.gif
        COMMAND ${CMAKE_COMMAND} -E make_directory ${map_dir}
        COMMAND mundora-mapconv ${src} ${map_dir}/${out}.gif --width ${width}
        DEPENDS mundora-mapconv ${src}
        COMMENT "Converting ${src_name} into maps/${out}.gif")
    list(APPEND map_outputs ${map_dir}/${out}.gif)
endforeach()
add_custom_target(mundora_maps DEPENDS ${map_outputs})
add_dependencies(mundora_data mundora_maps)
