# Player profiles: the 296-byte records, the profile file and the player list.
add_library(frothwick_profiles STATIC
    profiles/PlayerRecord.cpp
    profiles/ProfileFile.cpp
    profiles/PlayerProfiles.cpp)
frothwick_warnings(frothwick_profiles)
