# A build folder where a real media folder already stands where the program's media link would
# go (made by hand, or a copy from a file system without symbolic links): configure goes on,
# keeps what the folder holds and copies the media into it, and does so again.
#
# cmake -DSOURCE_DIR=... -DSCRATCH=... -DGENERATOR=... -DCC=... -DCXX=... -P media_link_check.cmake

file(REMOVE_RECURSE ${SCRATCH})
set(media ${SCRATCH}/app/media)
file(WRITE ${media}/mine.txt "kept\n")

foreach(round first second)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${SCRATCH} -G ${GENERATOR}
      -DCMAKE_C_COMPILER=${CC} -DCMAKE_CXX_COMPILER=${CXX}
      -DORVANTA_TESTS=OFF -DORVANTA_BENCH=OFF
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "the ${round} configure stopped (${result}):\n${output}")
  endif()
  if(IS_SYMLINK ${media} OR NOT EXISTS ${media}/mine.txt)
    message(FATAL_ERROR "the ${round} configure removed the folder at ${media}")
  endif()
  file(GLOB sources RELATIVE ${SOURCE_DIR}/media ${SOURCE_DIR}/media/*)
  foreach(name IN LISTS sources)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
      ${SOURCE_DIR}/media/${name} ${media}/${name} RESULT_VARIABLE differs)
    if(NOT differs EQUAL 0)
      message(FATAL_ERROR "after the ${round} configure ${media}/${name} is not the media's")
    endif()
  endforeach()
endforeach()
file(REMOVE_RECURSE ${SCRATCH})
