# The game's data tree (everything but audio), generated into bin/ by
# assetgen-art from the sources below. The stamp reruns the generator when a
# source or the generator changes; unchanged outputs keep their time stamps.
set(ART_SOURCES
    ${CMAKE_CURRENT_SOURCE_DIR}/art/images.txt
    ${CMAKE_CURRENT_SOURCE_DIR}/stages/water.txt
    ${CMAKE_CURRENT_SOURCE_DIR}/stages/fire.txt
    ${CMAKE_CURRENT_SOURCE_DIR}/stages/earth.txt
    ${CMAKE_CURRENT_SOURCE_DIR}/stages/air.txt
    ${CMAKE_CURRENT_SOURCE_DIR}/script/design.lua)
set(ART_STAMP ${CMAKE_BINARY_DIR}/assetgen-art.stamp)

add_custom_command(
    OUTPUT ${ART_STAMP}
    COMMAND assetgen-art --assets ${CMAKE_CURRENT_SOURCE_DIR} --out ${FROTHWICK_DATA_DIR}
    COMMAND ${CMAKE_COMMAND} -E touch ${ART_STAMP}
    DEPENDS assetgen-art ${ART_SOURCES}
    COMMENT "Generating the game's images, fonts, stages and manifest"
    VERBATIM)
add_custom_target(gamedata_art DEPENDS ${ART_STAMP})

# Review aid: every image with its identifier on one sheet.
add_custom_target(contact-sheet
    COMMAND assetgen-art --assets ${CMAKE_CURRENT_SOURCE_DIR} --out ${FROTHWICK_DATA_DIR}
            --contact-sheet ${CMAKE_BINARY_DIR}/contact-sheet.png
    COMMAND ${CMAKE_COMMAND} -E echo "Contact sheet: ${CMAKE_BINARY_DIR}/contact-sheet.png"
    DEPENDS assetgen-art
    VERBATIM)
