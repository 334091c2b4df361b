# tq_add_test(<name> SOURCES ... [LIBS ...] [LOCKS ...] [FIXTURES ...] [TIMEOUT s] [WIN32_ONLY] [SERIAL])
#
# Builds one GoogleTest executable and registers each of its cases with CTest.
# Under MinGW discovery runs at test time (PRE_TEST), so building never starts
# Wine. Every case gets a timeout: a modal box nobody answers must fail the
# run, not hang it. LOCKS names CTest resource locks for shared state (the
# clipboard, focus, the printer, the program's own registry key); a test that
# takes "focus" runs in the input world scripts/test keeps for them. FIXTURES
# names CTest fixtures whose set-up steps must run first. SERIAL runs each
# case with nothing beside it.
function(tq_add_test name)
  cmake_parse_arguments(T "WIN32_ONLY;SERIAL" "TIMEOUT" "SOURCES;LIBS;LOCKS;FIXTURES" ${ARGN})
  if(T_WIN32_ONLY AND NOT WIN32)
    return()
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 60)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    TQ_TEST_SOURCE_DIR="${CMAKE_CURRENT_SOURCE_DIR}")
  set(props TIMEOUT ${T_TIMEOUT} LABELS ${name})
  if(WIN32)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                         PROPERTIES ${props})
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ${props})
  endif()
  # Properties whose values are lists (two locks, two fixtures) lose all but
  # their first item when they pass through the discovery's PROPERTIES, and
  # anything after such a list is misread. So they are set by a script of our
  # own that CTest reads after the discovered cases, over the list of case
  # names the discovery leaves in <name>_TESTS.
  set(late "")
  if(T_LOCKS)
    string(APPEND late " RESOURCE_LOCK \"${T_LOCKS}\"")
    # The focus takers run in the input world of their own (cmake/wine-run.sh).
    if("focus" IN_LIST T_LOCKS)
      string(APPEND late " ENVIRONMENT TQ_WORLD=input")
    endif()
  endif()
  if(T_FIXTURES)
    string(APPEND late " FIXTURES_REQUIRED \"${T_FIXTURES}\"")
  endif()
  if(T_SERIAL)
    string(APPEND late " RUN_SERIAL TRUE")
  endif()
  if(late)
    set(script "${CMAKE_CURRENT_BINARY_DIR}/${name}_late_properties.cmake")
    file(WRITE "${script}"
         "foreach(t IN LISTS ${name}_TESTS)\n  set_tests_properties(\"\${t}\" PROPERTIES${late})\nendforeach()\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${script}")
  endif()
endfunction()
