include(GoogleTest)

# yz_test(name SOURCES a.cpp b.cpp LIBS lib... [PROPERTIES key value ...])
# One GoogleTest executable; under the windows preset its cases are listed
# and run under Wine through CMAKE_CROSSCOMPILING_EMULATOR.
#
# Tests on the real windows (those linking yz_app) share one desktop: the
# focus, the active window, the cursor and the clipboard. They hold the
# "desktop" lock, so they run one at a time while portable tests run beside
# them; the lock covers any narrower one a test asks for.
function(yz_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;PROPERTIES" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  set(properties TIMEOUT 120)
  set(gui OFF)
  if(WIN32)
    target_link_options(${name} PRIVATE -mconsole)
    if("yz_app" IN_LIST T_LIBS)
      set(gui ON)
    endif()
  endif()
  set(key "")
  foreach(item IN LISTS T_PROPERTIES)
    if(key STREQUAL "")
      set(key ${item})
    else()
      if(NOT (gui AND key STREQUAL "RESOURCE_LOCK"))
        list(APPEND properties ${key} ${item})
      endif()
      set(key "")
    endif()
  endforeach()
  if(gui)
    list(APPEND properties RESOURCE_LOCK desktop)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    PROPERTIES ${properties})
endfunction()
