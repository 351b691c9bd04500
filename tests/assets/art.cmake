# The generated data tree of the art generator: manifest, images, fonts,
# stage files and the design script.
if(TARGET gamedata_art)
  frothwick_add_test(NAME test_art_data
      SOURCES ${CMAKE_CURRENT_LIST_DIR}/ManifestTest.cpp
              ${CMAKE_CURRENT_LIST_DIR}/ArtImageTest.cpp
              ${CMAKE_CURRENT_LIST_DIR}/StageFileTest.cpp
              ${CMAKE_CURRENT_LIST_DIR}/DesignScriptTest.cpp
      LIBS PkgConfig::PNG PkgConfig::LUA
      LABELS data)
  target_compile_definitions(test_art_data PRIVATE ASSETGEN_ART_EXE="$<TARGET_FILE:assetgen-art>")
  add_dependencies(test_art_data gamedata_art assetgen-art)
endif()
