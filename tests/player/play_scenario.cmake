# Plays one scenario file with the verbacap executable and checks its exit status.
# -DPLAYER=... -DSCENARIO=... -DOUT=... -DEXPECTED=0|1|2
# Sanitizer reports exit with a status of their own, never taken for a scenario's 1.
execute_process(COMMAND ${CMAKE_COMMAND} -E env "ASAN_OPTIONS=detect_leaks=1:exitcode=86"
                        "UBSAN_OPTIONS=print_stacktrace=1:exitcode=86" ${PLAYER} --scenario ${SCENARIO} --out ${OUT}
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
message("${output}")
if(NOT "${status}" STREQUAL "${EXPECTED}")
  message(FATAL_ERROR "exit status ${status}, expected ${EXPECTED}\n${errors}")
endif()
if(NOT "${errors}" STREQUAL "")
  message("${errors}")
endif()
