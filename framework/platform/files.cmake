# fw_files: the crash-safe replace of the files the program keeps and the
# guarded read of files named by data (system calls only, no SDL), so the
# game's profile and records libraries can use it alone.
add_library(fw_files STATIC ${CMAKE_CURRENT_LIST_DIR}/FileReplace.cpp)
frothwick_warnings(fw_files)
