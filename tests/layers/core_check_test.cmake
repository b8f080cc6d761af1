# Configures the small project once per case and checks that the core check fails exactly
# when a core library reaches Qt Gui or Qt Widgets, naming the path it took.
#   cmake -DPELLION_CMAKE_DIR=... -DFIXTURE=... -DWORK=... -DQt6_DIR=... -P core_check_test.cmake
set(cases
  "direct|FAIL|lowcore -> Qt6::Widgets"
  "private|FAIL|lowcore -> helper -> Qt6::Gui"
  "later|FAIL|lowcore -> Qt6::Widgets"
  "clean|PASS|-")
set(failures "")
foreach(entry IN LISTS cases)
  string(REPLACE "|" ";" fields "${entry}")
  list(GET fields 0 layer_case)
  list(GET fields 1 expected)
  list(GET fields 2 path)
  set(dir ${WORK}/${layer_case})
  file(REMOVE_RECURSE ${dir})
  execute_process(
    COMMAND ${CMAKE_COMMAND} -S ${FIXTURE} -B ${dir} -DLAYER_CASE=${layer_case}
            -DPELLION_CMAKE_DIR=${PELLION_CMAKE_DIR} -DQt6_DIR=${Qt6_DIR}
    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  string(REGEX REPLACE "[ \t\r\n]+" " " text "${out} ${err}")
  if(expected STREQUAL "PASS")
    if(NOT result EQUAL 0)
      list(APPEND failures "${layer_case}: configure failed: ${text}")
    endif()
  elseif(result EQUAL 0)
    list(APPEND failures "${layer_case}: configure passed although a core library links the window layer")
  else()
    string(FIND "${text}" "links the window layer: ${path}." at)
    if(at EQUAL -1)
      list(APPEND failures "${layer_case}: failed without naming '${path}': ${text}")
    endif()
  endif()
endforeach()
if(failures)
  string(REPLACE ";" "\n" failures "${failures}")
  message(FATAL_ERROR "${failures}")
endif()
