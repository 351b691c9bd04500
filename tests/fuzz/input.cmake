# Fuzz targets of what reaches the program from outside its data files: the
# text field's typed and pasted text, the file chooser's answer in the avatar
# import, the cursor hot-spot table and the ".wav" song stream; and the check
# that every source file opening files is listed in readers.txt with its
# target or the reason it needs none.
set(input_fuzz ${CMAKE_CURRENT_LIST_DIR}/input)
set(input_corpus ${CMAKE_CURRENT_LIST_DIR}/corpus)
frothwick_add_fuzzer(NAME edit_field SOURCE ${input_fuzz}/EditFieldFuzz.cpp LIBS fw_controls
    CORPUS ${input_corpus}/edit-field)
frothwick_add_fuzzer(NAME avatar_chooser SOURCE ${input_fuzz}/AvatarChooserFuzz.cpp LIBS frothwick_screens_players
    CORPUS ${input_corpus}/avatar-chooser)
frothwick_add_fuzzer(NAME cursor_hotspots SOURCE ${input_fuzz}/CursorHotSpotsFuzz.cpp LIBS fw_app
    CORPUS ${input_corpus}/cursor-hotspots)
frothwick_add_fuzzer(NAME sound_wave_stream SOURCE ${input_fuzz}/WaveStreamFuzz.cpp LIBS fw_sound
    CORPUS ${input_corpus}/sound-wave-stream)

frothwick_test_wanted(readers_wanted "fuzz")
if(readers_wanted)
  add_test(NAME fuzz_readers_listed
      COMMAND ${CMAKE_CURRENT_LIST_DIR}/check-readers.sh ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_LIST_DIR}/readers.txt)
  set_tests_properties(fuzz_readers_listed PROPERTIES LABELS fuzz)
endif()
