# The game's sound effects and music, rendered by assetgen-audio from the
# sources in assets/audio into the data tree. One command for all effects
# and one per song, so both cores work and only changed sources regenerate.
set(FROTHWICK_AUDIO_SOURCE ${CMAKE_CURRENT_LIST_DIR}/audio)

set(frothwick_effect_names
    allclear ball_ex ball_hit bomb bton_clk bton_on eatball fire hitsnow ice_hole lava mushroom
    plantdeath select_w stageclear tornado wall_cloud wall_ice wall_lava wall_tree wind_cloud)
set(frothwick_effect_files "")
foreach(name ${frothwick_effect_names})
  list(APPEND frothwick_effect_files ${FROTHWICK_DATA_DIR}/sounds/${name}.ogg)
endforeach()
add_custom_command(
    OUTPUT ${frothwick_effect_files}
    COMMAND assetgen-audio effects ${FROTHWICK_AUDIO_SOURCE}/effects.txt ${FROTHWICK_DATA_DIR}/sounds
    DEPENDS assetgen-audio ${FROTHWICK_AUDIO_SOURCE}/effects.txt
    COMMENT "Rendering sound effects"
    VERBATIM)

# Song sources carry the names of the files they become.
set(frothwick_song_names
    mainscreen dream fire ice phantom "purple moon" wind "level complete" "level failed")
set(frothwick_song_files "")
foreach(name IN LISTS frothwick_song_names)
  set(out "${FROTHWICK_DATA_DIR}/music/${name}.ogg")
  add_custom_command(
      OUTPUT "${out}"
      COMMAND assetgen-audio song "${FROTHWICK_AUDIO_SOURCE}/songs/${name}.song" "${out}"
      DEPENDS assetgen-audio "${FROTHWICK_AUDIO_SOURCE}/songs/${name}.song"
      COMMENT "Rendering music/${name}.ogg"
      VERBATIM)
  list(APPEND frothwick_song_files "${out}")
endforeach()

add_custom_target(gamedata_audio DEPENDS ${frothwick_effect_files} ${frothwick_song_files})

# `make listen`: every effect and the start of every song in one WAV outside
# the data tree (a WAV in the data tree would be loaded instead of the Ogg),
# with a table of start times beside it.
set(frothwick_listen_files "")
foreach(name ${frothwick_effect_names})
  list(APPEND frothwick_listen_files sounds/${name}.ogg)
endforeach()
foreach(name IN LISTS frothwick_song_names)
  list(APPEND frothwick_listen_files "music/${name}.ogg")
endforeach()
add_custom_target(listen
    COMMAND assetgen-audio listen ${CMAKE_BINARY_DIR}/listen.wav ${CMAKE_BINARY_DIR}/listen.md
            ${FROTHWICK_DATA_DIR} ${frothwick_listen_files}
    COMMENT "Writing ${CMAKE_BINARY_DIR}/listen.wav"
    VERBATIM)
add_dependencies(listen gamedata_audio)
