# A game saved on day 200 and loaded in a new process gives, on day 300, the
# same save file as the run that never stopped.
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
foreach(lauf "-w;300;-o;${OUT}/ganz.kdv" "-w;200;-o;${OUT}/tag200.kdv" "-l;${OUT}/tag200.kdv;-w;300;-o;${OUT}/weiter.kdv")
  execute_process(COMMAND ${SIM} -n 1 ${lauf} RESULT_VARIABLE rc OUTPUT_QUIET)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "seasonsim ${lauf} failed: ${rc}")
  endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/ganz.kdv ${OUT}/weiter.kdv RESULT_VARIABLE diff)
if(NOT diff EQUAL 0)
  message(FATAL_ERROR "the save continued in a new process differs from the uninterrupted run")
endif()
