# The copy of a world file into the game folder: a changed file takes the
# binary configuration cache with it, an unchanged one leaves it.
#   cmake -DSKRIPT=<welt_kopieren.cmake> -DORDNER=<scratch folder> -P welt_kopieren_test.cmake
file(REMOVE_RECURSE "${ORDNER}")
file(MAKE_DIRECTORY "${ORDNER}/quelle")
set(q "${ORDNER}/quelle/1_team.cfg")
set(z "${ORDNER}/game/config/1_team.cfg")
set(c "${ORDNER}/game/config/1_config.bin")

function(kopieren)
  execute_process(COMMAND ${CMAKE_COMMAND} -DQUELLE=${q} -DZIEL=${z} -DCACHE=${c} -P ${SKRIPT}
                  RESULT_VARIABLE r)
  if(NOT r EQUAL 0)
    message(FATAL_ERROR "Kopieren misslungen: ${r}")
  endif()
endfunction()
function(pruefen fall inhalt cache_da)
  file(READ "${z}" gelesen)
  if(NOT gelesen STREQUAL inhalt)
    message(FATAL_ERROR "${fall}: Ziel hat '${gelesen}', erwartet '${inhalt}'")
  endif()
  if(cache_da AND NOT EXISTS "${c}")
    message(FATAL_ERROR "${fall}: Cache fehlt, obwohl sich nichts geändert hat")
  elseif(NOT cache_da AND EXISTS "${c}")
    message(FATAL_ERROR "${fall}: der Cache der alten Welt ist noch da")
  endif()
endfunction()

# First copy into a folder that already holds a cache (written by the game).
file(WRITE "${q}" "FORMATION 9\n")
file(WRITE "${c}" "alt")
kopieren()
pruefen("erste Kopie" "FORMATION 9\n" FALSE)
# The game writes its cache again; the same text copied once more keeps it.
file(WRITE "${c}" "neu")
kopieren()
pruefen("gleicher Text" "FORMATION 9\n" TRUE)
# A changed world: copied, and the cache goes.
file(WRITE "${q}" "FORMATION 10\n")
kopieren()
pruefen("geänderter Text" "FORMATION 10\n" FALSE)
file(REMOVE_RECURSE "${ORDNER}")
