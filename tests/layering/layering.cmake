# The layers: the tree's includes point down only (scripts/check-layers.sh),
# the check catches a planted upward include, and a missing part stops the
# configuration.
add_test(NAME layering.check COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/check-layers.sh ${CMAKE_SOURCE_DIR})
add_test(NAME layering.planted_include
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/planted-include.sh ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/test-tmp/layering)
add_test(NAME layering.missing_part
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/missing-part.sh ${CMAKE_SOURCE_DIR} ${CMAKE_COMMAND}
        ${CMAKE_BINARY_DIR}/test-tmp/missing-part)
set_tests_properties(layering.check layering.planted_include layering.missing_part PROPERTIES LABELS layering)
