# Compiles the help collection: copies the topics and the projects into a
# staging folder, runs qhelpgenerator there, and puts Marvok.qhc and
# Marvok.qch into the output folder. A warning of the generator (a file the
# project lists but the folder lacks, a malformed project) fails the build.
#   cmake -DQHELPGENERATOR=... -DSOURCE_DIR=... -DSTAGE_DIR=... -DOUTPUT_DIR=... -P compile.cmake
foreach(var QHELPGENERATOR SOURCE_DIR STAGE_DIR OUTPUT_DIR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "compile.cmake: ${var} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE ${STAGE_DIR})
file(MAKE_DIRECTORY ${STAGE_DIR} ${OUTPUT_DIR})
file(GLOB sources ${SOURCE_DIR}/*.html ${SOURCE_DIR}/*.css ${SOURCE_DIR}/*.qhp ${SOURCE_DIR}/*.qhcp)
file(COPY ${sources} DESTINATION ${STAGE_DIR})

execute_process(
  COMMAND ${QHELPGENERATOR} ${STAGE_DIR}/marvok.qhcp -o ${STAGE_DIR}/Marvok.qhc
  WORKING_DIRECTORY ${STAGE_DIR}
  RESULT_VARIABLE result
  OUTPUT_VARIABLE output
  ERROR_VARIABLE output)
string(REGEX MATCHALL "[^\n]*([Ww]arning|[Ee]rror)[^\n]*" problems "${output}")
# The generator's own start-up notes about the runtime folder are no problem of the help.
list(FILTER problems EXCLUDE REGEX "XDG_RUNTIME_DIR")
if(NOT result EQUAL 0 OR problems)
  message(FATAL_ERROR "qhelpgenerator failed (${result}):\n${output}")
endif()

file(COPY ${STAGE_DIR}/Marvok.qhc ${STAGE_DIR}/Marvok.qch DESTINATION ${OUTPUT_DIR})
