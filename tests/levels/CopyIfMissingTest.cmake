# Runs CopyIfMissing.cmake (SCRIPT) in a scratch directory (WORK): a missing
# target is created with the source's bytes; an existing one is left alone.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/game")
file(WRITE "${WORK}/shipped.dat" "shipped levels")

function(run_copy)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -DSOURCE=${WORK}/shipped.dat -DTARGET=${WORK}/game/zklv.dat
            -P ${SCRIPT}
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "CopyIfMissing failed: ${result}")
  endif()
endfunction()

run_copy()
file(READ "${WORK}/game/zklv.dat" copied)
if(NOT copied STREQUAL "shipped levels")
  message(FATAL_ERROR "missing level file was not copied: '${copied}'")
endif()
if(EXISTS "${WORK}/game/zklv.dat.copying")
  message(FATAL_ERROR "temporary copy left behind")
endif()

file(WRITE "${WORK}/game/zklv.dat" "a designer's work")
run_copy()
file(READ "${WORK}/game/zklv.dat" kept)
if(NOT kept STREQUAL "a designer's work")
  message(FATAL_ERROR "existing level file was replaced: '${kept}'")
endif()

# Whatever lies there belongs to the designer, even an empty file.
file(WRITE "${WORK}/game/zklv.dat" "")
run_copy()
file(SIZE "${WORK}/game/zklv.dat" size)
if(NOT size EQUAL 0)
  message(FATAL_ERROR "empty level file was replaced")
endif()
file(REMOVE_RECURSE "${WORK}")
