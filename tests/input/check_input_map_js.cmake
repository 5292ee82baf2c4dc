# Fails when the committed page module differs from what the input map
# prints, so the page never names keys or sources the C++ does not.
#   cmake -DTOOL=page-input-map -DMODULE=web/input_map.js -P check_input_map_js.cmake
execute_process(COMMAND ${TOOL} OUTPUT_VARIABLE printed RESULT_VARIABLE code)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "${TOOL} failed (${code})")
endif()
file(READ ${MODULE} committed)
if(NOT printed STREQUAL committed)
  message(FATAL_ERROR "${MODULE} is not what the input map prints:\n"
                      "--- printed\n${printed}--- committed\n${committed}"
                      "Remake it: ${TOOL} > ${MODULE}")
endif()
message(STATUS "${MODULE} matches the input map")
