# Runs `kwlayout image-info FILE` and compares its exit status, its output line and its error text
# (run in script mode by the image_info tests).
execute_process(COMMAND ${KWLAYOUT} --portal ${PORTAL} image-info ${FILE}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL EXPECT_STATUS)
  message(FATAL_ERROR "exit status ${status}, expected ${EXPECT_STATUS}; stderr: ${err}")
endif()
if(NOT "${out}" STREQUAL "${EXPECT_OUT}")
  message(FATAL_ERROR "output \"${out}\", expected \"${EXPECT_OUT}\"")
endif()
if(DEFINED EXPECT_ERR)
  string(FIND "${err}" "${EXPECT_ERR}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "error text \"${err}\" lacks \"${EXPECT_ERR}\"")
  endif()
endif()
