# The build installed into a fresh prefix: the installed program, started from a scratch folder
# without a display (SDL's offscreen driver), draws three frames and quits with exit code 0; and
# it takes its effect from the installed media, not from the source tree: with the installed
# effect damaged it refuses to start and names that file, and with the installed media removed
# it refuses to start for want of media.
#
# cmake -DBUILD_DIR=... -DPREFIX=... -DBINDIR=... -DMEDIA_DIR=... -DCONFIGURED_MEDIA_DIR=...
#   -P install_check.cmake

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
  RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${result})")
endif()

set(program ${PREFIX}/${BINDIR}/orvanta)
set(effect ${PREFIX}/${MEDIA_DIR}/Velmonde.fx)
set(scratch ${PREFIX}/scratch)
file(MAKE_DIRECTORY ${scratch})

execute_process(COMMAND ${program} -quitafterframe:3 WORKING_DIRECTORY ${scratch}
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the installed program ended with ${result}:\n${output}")
endif()
if(NOT EXISTS ${scratch}/output.txt)
  message(FATAL_ERROR "the installed program wrote no output.txt where it was started")
endif()

file(WRITE ${effect} "not an effect\n")
execute_process(COMMAND ${program} -quitafterframe:3 WORKING_DIRECTORY ${scratch}
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(result EQUAL 0 OR NOT output MATCHES "${effect}")
  message(FATAL_ERROR
    "the installed program did not take the installed effect (${result}):\n${output}")
endif()

# 5 is the framework's exit code for media not found (dxut/framework.h). The program also looks
# in the configured prefix's media, so media installed there would mask the fault.
file(REMOVE_RECURSE ${PREFIX}/${MEDIA_DIR})
execute_process(COMMAND ${program} -quitafterframe:3 WORKING_DIRECTORY ${scratch}
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 5)
  if(EXISTS ${CONFIGURED_MEDIA_DIR})
    string(APPEND output "(${CONFIGURED_MEDIA_DIR} exists: configure another prefix)\n")
  endif()
  message(FATAL_ERROR
    "without its installed media the installed program ended with ${result}, not 5:\n${output}")
endif()
file(REMOVE_RECURSE ${PREFIX})
