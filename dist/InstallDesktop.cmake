# The desktop entry and icons for the current user ($XDG_DATA_HOME, else
# ~/.local/share), starting EXEC.
if(DEFINED ENV{XDG_DATA_HOME} AND "$ENV{XDG_DATA_HOME}" MATCHES "^/")
  set(base "$ENV{XDG_DATA_HOME}")
else()
  set(base "$ENV{HOME}/.local/share")
endif()
set(FROTHWICK_EXEC "${EXEC}")
configure_file("${SOURCE_DIR}/${APP_ID}.desktop.in" "${base}/applications/${APP_ID}.desktop" @ONLY)
foreach(size IN LISTS SIZES)
  file(MAKE_DIRECTORY "${base}/icons/hicolor/${size}x${size}/apps")
  file(COPY_FILE "${DATA_DIR}/images/icons/${size}.png" "${base}/icons/hicolor/${size}x${size}/apps/${APP_ID}.png")
endforeach()
# The entry of earlier builds, named after the program rather than the id.
file(REMOVE "${base}/applications/frothwick.desktop")
message(STATUS "Installed ${base}/applications/${APP_ID}.desktop and its icons")
