# rer_check_dependencies(NAME dep...)
#   Stops the configuration when a dependency of NAME is no target (a folder
#   without code, or a misspelt name). Run at the end of the configuration, so
#   that the folders may be added in any order.
function(rer_check_dependencies name)
  foreach(dep IN LISTS ARGN)
    if(NOT TARGET ${dep})
      message(FATAL_ERROR "${name} depends on ${dep}, which is no target")
    endif()
  endforeach()
endfunction()

# rer_add_library(NAME [QT] DEPS dep...)
#   One static library from every .cpp file in the current folder. Every
#   dependency must be a target by the end of the configuration.
function(rer_add_library name)
  cmake_parse_arguments(ARG "QT" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  if(NOT sources)
    return()
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  cmake_language(EVAL CODE "cmake_language(DEFER DIRECTORY [[${PROJECT_SOURCE_DIR}]] CALL rer_check_dependencies [[${name}]] ${ARG_DEPS})")
  if(ARG_QT)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
  endif()
endfunction()

# rer_add_tests(NAME DEPS dep...)
#   One test executable from every *_test.cpp file in the current folder,
#   with GoogleTest and GoogleMock, registered with CTest.
function(rer_add_tests name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  foreach(dep IN LISTS ARG_DEPS)
    target_link_libraries(${name} PRIVATE $<TARGET_NAME_IF_EXISTS:${dep}>)
  endforeach()
  target_link_libraries(${name} PRIVATE GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60)
endfunction()
