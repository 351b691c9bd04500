# One place for the warning set every target of ours uses.
function(frothwick_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wshadow -Wnon-virtual-dtor
    $<$<COMPILE_LANGUAGE:CXX>:-Wsuggest-override>)
endfunction()

# Folders are built from parts: each part of a folder lives in its own
# NAME.cmake beside the folder's CMakeLists.txt. A part listed but missing
# (or misspelt) is a configuration error.
macro(frothwick_parts)
  foreach(part ${ARGN})
    include(${CMAKE_CURRENT_SOURCE_DIR}/${part}.cmake)
  endforeach()
endmacro()
