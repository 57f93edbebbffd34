# Packs the build with "cpack -G DEB" into WORK and runs lintian on the package: any error
# ("E:" line) fails. Run by CTest with BUILD_DIR, LINTIAN and WORK set.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${CMAKE_CPACK_COMMAND} -G DEB -B ${WORK} --config ${BUILD_DIR}/CPackConfig.cmake
                WORKING_DIRECTORY ${WORK} RESULT_VARIABLE _rc OUTPUT_VARIABLE _out ERROR_VARIABLE _out)
if(NOT _rc EQUAL 0)
  message(FATAL_ERROR "cpack failed (${_rc}):\n${_out}")
endif()
file(GLOB _packages ${WORK}/*.deb)
if(NOT _packages)
  message(FATAL_ERROR "cpack made no .deb:\n${_out}")
endif()
list(GET _packages 0 _package)
execute_process(COMMAND ${LINTIAN} --no-tag-display-limit ${_package} OUTPUT_VARIABLE _report
                ERROR_VARIABLE _ignored)
message(STATUS "lintian ${_package}:\n${_report}")
string(REGEX MATCHALL "(^|\n)E: [^\n]*" _errors "${_report}")
file(REMOVE_RECURSE ${WORK})
if(_errors)
  message(FATAL_ERROR "lintian reports errors:${_errors}")
endif()
