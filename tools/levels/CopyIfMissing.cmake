# cmake -DSOURCE=... -DTARGET=... -P CopyIfMissing.cmake
# Copies SOURCE to TARGET only when TARGET does not exist, through a temporary
# file renamed into place, so an existing file is never touched and a broken
# copy never takes its name.
if(NOT DEFINED SOURCE OR NOT DEFINED TARGET)
  message(FATAL_ERROR "CopyIfMissing: SOURCE and TARGET are required")
endif()
if(EXISTS "${TARGET}" OR IS_SYMLINK "${TARGET}")
  return()
endif()
if(NOT EXISTS "${SOURCE}")
  message(FATAL_ERROR "CopyIfMissing: ${SOURCE} does not exist")
endif()
get_filename_component(dir "${TARGET}" DIRECTORY)
file(MAKE_DIRECTORY "${dir}")
set(temporary "${TARGET}.copying")
file(COPY_FILE "${SOURCE}" "${temporary}")
file(RENAME "${temporary}" "${TARGET}")
message(STATUS "Installed ${TARGET}")
