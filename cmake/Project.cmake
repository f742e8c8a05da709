# Shared rules for the project's own targets.

function(qvd_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wno-unused-parameter)
  if(QVD_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
    # g++ 12 reports overlaps and overflows inside std::string that cannot happen once it
    # inlines string concatenation at -O2 and above; they stay warnings, not errors.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
      target_compile_options(${target} PRIVATE -Wno-error=restrict -Wno-error=stringop-overflow)
    endif()
  endif()
endfunction()

# One static library per folder: every .cpp in DIR (not below it), linked with the
# PUBLIC and PRIVATE libraries given. A folder still without sources is a header-only library.
function(qvd_folder_library target dir)
  cmake_parse_arguments(ARG "" "" "PUBLIC;PRIVATE;PCH" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${dir}/*.h)
  if(NOT sources)
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} INTERFACE ${ARG_PUBLIC} ${ARG_PRIVATE})
    return()
  endif()
  add_library(${target} STATIC ${sources} ${headers})
  qvd_warnings(${target})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE})
  if(ARG_PCH)
    target_precompile_headers(${target} PRIVATE ${ARG_PCH})
  endif()
endfunction()

# One test program per folder of tests/.
function(qvd_test_program target dir)
  if(NOT QVD_TESTS)
    return()
  endif()
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${target} ${sources})
  qvd_warnings(${target})
  target_link_libraries(${target} PRIVATE ${ARGN} qvd_test_main qvd_test_support GTest::gtest GTest::gmock)
  # One precompiled header for every test program (tests/CMakeLists.txt builds it once).
  if(TARGET qvd_test_pch)
    target_precompile_headers(${target} REUSE_FROM qvd_test_pch)
  endif()
  add_test(NAME ${target} COMMAND ${target} --gtest_color=no)
  set_tests_properties(${target} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QVD_TEST_SOURCE_DIR=${PROJECT_SOURCE_DIR};QVD_TOOLS_DIR=${PROJECT_BINARY_DIR}/tools"
    TIMEOUT 900)
endfunction()
