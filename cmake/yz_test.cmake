include(GoogleTest)

# yz_test(name SOURCES a.cpp b.cpp LIBS lib... [LABELS ...] [PROPERTIES ...])
# One GoogleTest executable; under the windows preset its cases are listed
# and run under Wine through CMAKE_CROSSCOMPILING_EMULATOR.
function(yz_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;PROPERTIES" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  if(WIN32)
    target_link_options(${name} PRIVATE -mconsole)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    PROPERTIES TIMEOUT 120 ${T_PROPERTIES})
endfunction()
