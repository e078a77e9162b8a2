include(GoogleTest)

# yz_test(name [DESKTOP] SOURCES a.cpp b.cpp LIBS lib... [PROPERTIES key value ...])
# One GoogleTest executable; under the windows preset its cases are listed
# and run under Wine through CMAKE_CROSSCOMPILING_EMULATOR.
#
# Tests on the real windows (those linking yz_app) and tests marked DESKTOP
# share one desktop: the focus, the active window, the cursor and the
# clipboard. A window shown by one test moves the pointer and takes the
# clipboard of another, so they all hold the one "desktop" lock and run one
# at a time while portable tests run beside them.
function(yz_test name)
  cmake_parse_arguments(T "DESKTOP" "" "SOURCES;LIBS;PROPERTIES" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  set(properties TIMEOUT 120)
  list(APPEND properties ${T_PROPERTIES})
  if(WIN32)
    target_link_options(${name} PRIVATE -mconsole)
    if(T_DESKTOP OR "yz_app" IN_LIST T_LIBS)
      list(APPEND properties RESOURCE_LOCK desktop)
    endif()
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    PROPERTIES ${properties})
endfunction()
