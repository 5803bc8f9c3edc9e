# Unpacks molvex2.oxt as a bundled LibreOffice extension: cmake -DOXT=... -DDEST=... -P
# The bundled copy's UNO components get names of their own: LibreOffice registers a
# user extension before it retires the bundled one of the same identifier, so with
# the same implementation names a user could never add a newer molvex2.oxt
# ("An error occurred while enabling: molvex2.py").
file(REMOVE_RECURSE "${DEST}")
file(MAKE_DIRECTORY "${DEST}")
file(ARCHIVE_EXTRACT INPUT "${OXT}" DESTINATION "${DEST}")
foreach(f IN ITEMS molvex2.py Jobs.xcu ProtocolHandler.xcu)
  file(READ "${DEST}/${f}" text)
  string(REGEX REPLACE "com\\.tamrel\\.molvex2\\.(ProtocolHandler|ViewJob)" "com.tamrel.molvex2.bundled.\\1" text "${text}")
  file(WRITE "${DEST}/${f}" "${text}")
endforeach()
