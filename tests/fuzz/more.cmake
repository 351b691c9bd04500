# Fuzz targets of the PNG, JPEG, alpha-merge, Ogg Vorbis, settings, profile,
# GBK text and command-line readers; each corpus is replayed by CTest.
set(more_fuzz ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/more)
set(more_corpus ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/corpus)
frothwick_add_fuzzer(NAME graphics_png SOURCE ${more_fuzz}/PngFuzz.cpp LIBS fw_graphics CORPUS ${more_corpus}/graphics-png)
frothwick_add_fuzzer(NAME graphics_jpeg SOURCE ${more_fuzz}/JpegFuzz.cpp LIBS fw_graphics
    CORPUS ${more_corpus}/graphics-jpeg)
frothwick_add_fuzzer(NAME graphics_alpha SOURCE ${more_fuzz}/AlphaMergeFuzz.cpp LIBS fw_graphics
    CORPUS ${more_corpus}/graphics-alpha)
frothwick_add_fuzzer(NAME sound_ogg SOURCE ${more_fuzz}/OggFuzz.cpp LIBS fw_sound CORPUS ${more_corpus}/sound-ogg)
frothwick_add_fuzzer(NAME settings SOURCE ${more_fuzz}/SettingsFuzz.cpp LIBS fw_platform CORPUS ${more_corpus}/settings)
frothwick_add_fuzzer(NAME profiles SOURCE ${more_fuzz}/ProfileFuzz.cpp LIBS frothwick_profiles
    CORPUS ${more_corpus}/profiles)
frothwick_add_fuzzer(NAME gbktext SOURCE ${more_fuzz}/GbkTextFuzz.cpp LIBS fw_controls CORPUS ${more_corpus}/gbktext)
frothwick_add_fuzzer(NAME cmdline SOURCE ${more_fuzz}/CommandLineFuzz.cpp LIBS fw_app CORPUS ${more_corpus}/cmdline)

include(${CMAKE_CURRENT_LIST_DIR}/input.cmake)
