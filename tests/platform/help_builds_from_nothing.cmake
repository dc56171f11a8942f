# Configures and builds the help folder alone in an empty folder and checks
# that the collection and its documentation file come out.
#   cmake -DSOURCE_DIR=... -DBUILD_DIR=... -DGENERATOR=... -P help_builds_from_nothing.cmake
file(REMOVE_RECURSE ${BUILD_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${BUILD_DIR} -G ${GENERATOR}
                RESULT_VARIABLE configured OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT configured EQUAL 0)
  message(FATAL_ERROR "configuring the help failed:\n${out}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR}
                RESULT_VARIABLE built OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT built EQUAL 0)
  message(FATAL_ERROR "building the help failed:\n${out}")
endif()
foreach(file Marvok.qhc Marvok.qch)
  set(path ${BUILD_DIR}/bin/help/${file})
  if(NOT EXISTS ${path})
    message(FATAL_ERROR "${file} was not built")
  endif()
  file(SIZE ${path} size)
  if(size EQUAL 0)
    message(FATAL_ERROR "${file} is empty")
  endif()
endforeach()
file(REMOVE_RECURSE ${BUILD_DIR})
