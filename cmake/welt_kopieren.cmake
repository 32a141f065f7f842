# Copies one text file of a configuration set into the game folder. When its
# content changed, the binary configuration cache of that set goes too: a new
# game prefers the cache over the text, so a cache written from the old text
# would keep the old world (as the data editor deletes it before it writes
# the text).
#   cmake -DQUELLE=<file> -DZIEL=<file> -DCACHE=<cache file> -P welt_kopieren.cmake
foreach(v QUELLE ZIEL CACHE)
  if(NOT DEFINED ${v})
    message(FATAL_ERROR "welt_kopieren: ${v} fehlt")
  endif()
endforeach()
set(_anders TRUE)
if(EXISTS "${ZIEL}")
  file(SHA256 "${QUELLE}" _q)
  file(SHA256 "${ZIEL}" _z)
  if(_q STREQUAL _z)
    set(_anders FALSE)
  endif()
endif()
if(_anders)
  get_filename_component(_ordner "${ZIEL}" DIRECTORY)
  file(MAKE_DIRECTORY "${_ordner}")
  file(REMOVE "${CACHE}")
  file(COPY_FILE "${QUELLE}" "${ZIEL}")
else()
  # Unchanged: the copy only takes the time, so that the build is done with it.
  file(TOUCH_NOCREATE "${ZIEL}")
endif()
