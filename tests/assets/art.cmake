# The stage maps' compiler of the art generator, on maps of the test's own.
frothwick_add_test(NAME test_stage_maps
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/StageMapTest.cpp
            ${CMAKE_SOURCE_DIR}/tools/art/StageCompiler.cpp
            ${CMAKE_SOURCE_DIR}/tools/art/Canvas.cpp
    LIBS PkgConfig::CAIRO PkgConfig::PANGOCAIRO)

# The generated data tree of the art generator: manifest, images, fonts,
# stage files and the design script (this build's, or the tree named by
# FROTHWICK_TEST_DATA_DIR).
if(TARGET gamedata_art OR FROTHWICK_TEST_DATA_DIR)
  frothwick_add_test(NAME test_art_data
      SOURCES ${CMAKE_CURRENT_LIST_DIR}/ManifestTest.cpp
              ${CMAKE_CURRENT_LIST_DIR}/ArtImageTest.cpp
              ${CMAKE_CURRENT_LIST_DIR}/StageFileTest.cpp
              ${CMAKE_CURRENT_LIST_DIR}/DesignScriptTest.cpp
      LIBS PkgConfig::PNG PkgConfig::LUA
      LABELS data)
  target_compile_definitions(test_art_data PRIVATE ASSETGEN_ART_EXE="$<TARGET_FILE:assetgen-art>")
  add_dependencies(test_art_data assetgen-art)
  if(TARGET gamedata_art)
    add_dependencies(test_art_data gamedata_art)
  endif()
endif()
