# Shared settings and helpers of both builds.

if(MUHE_WIN)
  add_compile_options(-Wall -Wextra -Wshadow -Wno-restrict -DUNICODE -D_UNICODE -DWIN32_LEAN_AND_MEAN
    -DNOMINMAX -D_WIN32_WINNT=0x0601)
  add_link_options(-static -static-libgcc -static-libstdc++)
else()
  # GCC 12 reports a false -Wrestrict for "literal" + std::wstring (GCC bug 105651).
  add_compile_options(-Wall -Wextra -Wshadow -Wno-restrict)
  if(MUHE_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
  endif()
endif()

# GoogleTest from Debian's sources, built with whichever toolchain this build uses.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
if(EXISTS /usr/src/googletest/CMakeLists.txt)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
  message(FATAL_ERROR "GoogleTest sources not found in /usr/src/googletest (Debian package googletest)")
endif()

# muhe_test(NAME SOURCES ... LIBS ...): one test executable, one ctest entry. Under the win
# build ctest runs it through CMAKE_CROSSCOMPILING_EMULATOR (wine); the working directory is
# the build's bin folder so that tests find the files they write beside themselves.
function(muhe_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1 WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  if(T_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}")
  endif()
endfunction()

# muhe_library(NAME SOURCES ...): a static library of the project, with src/ on the include path.
function(muhe_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
endfunction()

# muhe_window_test(NAME SOURCES ... LIBS ...): a window test under Wine. It links the
# toolkit's test support, the program's resources (so windows show the program's pictures)
# and knows the sample installation. Under Xvfb there is no window manager, and Wine waits
# for one whenever a managed window is hidden or destroyed, so Wine keeps the windows of this
# executable unmanaged (activation and focus work alike).
function(muhe_window_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  muhe_test(${name} SOURCES ${T_SOURCES} $<TARGET_OBJECTS:muhe_resources> LIBS ${T_LIBS} muhe_window_test_support)
  target_compile_definitions(${name} PRIVATE MUHE_SAMPLE_DIR="Z:${PROJECT_SOURCE_DIR}/build/sample")
  add_test(NAME ${name}_unmanaged_windows
    COMMAND wine reg add "HKCU\\Software\\Wine\\AppDefaults\\${name}.exe\\X11 Driver" /v Managed /d N /f)
  set_tests_properties(${name}_unmanaged_windows PROPERTIES FIXTURES_SETUP ${name}_windows)
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED ${name}_windows)
endfunction()
