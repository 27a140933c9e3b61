# Shared settings and helpers of both builds.

# Compiling again what did not change is most of a rebuild: ccache answers it when present.
find_program(MUHE_CCACHE ccache)
if(MUHE_CCACHE AND NOT CMAKE_CXX_COMPILER_LAUNCHER)
  set(CMAKE_C_COMPILER_LAUNCHER ${MUHE_CCACHE})
  set(CMAKE_CXX_COMPILER_LAUNCHER ${MUHE_CCACHE})
endif()

# Debug information is most of the Windows binaries' size and link time, and nobody debugs
# them from the test command: line tables on the host (for the sanitizers' reports), none for
# Windows, unless asked for with MUHE_DEBUG_INFO.
if(NOT MUHE_DEBUG_INFO)
  # The sanitized host build compiles at -O1, as the sanitizers advise; it costs half of -O2.
  if(MUHE_WIN)
    set(muhe_build_flags "-O2")
  elseif(MUHE_SANITIZE)
    set(muhe_build_flags "-O1 -g1")
  else()
    set(muhe_build_flags "-O2 -g1")
  endif()
  foreach(lang C CXX)
    set(CMAKE_${lang}_FLAGS_RELWITHDEBINFO "${muhe_build_flags} -DNDEBUG")
  endforeach()
endif()

if(MUHE_WIN)
  add_compile_options(-Wall -Wextra -Wshadow -Wno-restrict -Winvalid-pch -DUNICODE -D_UNICODE -DWIN32_LEAN_AND_MEAN
    -DNOMINMAX -D_WIN32_WINNT=0x0601)
  add_link_options(-static -static-libgcc -static-libstdc++)
else()
  # GCC 12 reports a false -Wrestrict for "literal" + std::wstring (GCC bug 105651).
  add_compile_options(-Wall -Wextra -Wshadow -Wno-restrict -Winvalid-pch)
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
  # GoogleTest is not what the sanitizers are for, and they triple its compile time.
  foreach(target gtest gtest_main)
    get_target_property(options ${target} COMPILE_OPTIONS)
    if(options)
      list(FILTER options EXCLUDE REGEX "^-fsanitize|^-fno-sanitize")
      set_target_properties(${target} PROPERTIES COMPILE_OPTIONS "${options}")
    endif()
  endforeach()
else()
  message(FATAL_ERROR "GoogleTest sources not found in /usr/src/googletest (Debian package googletest)")
endif()

# Headers nearly every file of a kind reads, parsed once per target instead of once per file:
# the standard library's, the system's for the window code, GoogleTest's for the tests.
set(MUHE_STD_HEADERS <algorithm> <functional> <memory> <string> <vector>)
set(MUHE_WINDOWS_HEADERS <windows.h> <commctrl.h>)
function(muhe_precompile target)
  cmake_parse_arguments(P "WINDOWS;TESTS" "" "" ${ARGN})
  set(headers ${MUHE_STD_HEADERS})
  set(kind std)
  if(P_WINDOWS AND MUHE_WIN)
    list(APPEND headers ${MUHE_WINDOWS_HEADERS})
    string(APPEND kind _windows)
  endif()
  if(P_TESTS)
    list(APPEND headers <gtest/gtest.h>)
    string(APPEND kind _tests)
  endif()
  # One header of a kind is compiled for the whole build (each took 6–11 s of a compiler):
  # the first target of that kind makes it, the others reuse it. The targets of a kind share
  # the flags the header depends on (the tests' are set for their whole folder).
  get_property(owner GLOBAL PROPERTY MUHE_PCH_${kind})
  if(owner)
    target_precompile_headers(${target} REUSE_FROM ${owner})
    return()
  endif()
  # A header compiled ahead costs about what three files reading it do.
  get_target_property(sources ${target} SOURCES)
  list(FILTER sources INCLUDE REGEX "\\.cpp$")
  list(LENGTH sources count)
  if(count LESS 4)
    return()
  endif()
  target_precompile_headers(${target} PRIVATE ${headers})
  set_property(GLOBAL PROPERTY MUHE_PCH_${kind} ${target})
endfunction()

# muhe_test(NAME SOURCES ... LIBS ...): one test executable, one ctest entry. Under the win
# build ctest runs it through CMAKE_CROSSCOMPILING_EMULATOR (wine); the working directory is
# the build's bin folder so that tests find the files they write beside themselves.
function(muhe_test name)
  cmake_parse_arguments(T "WINDOWS" "" "SOURCES;LIBS;LABELS" ${ARGN})
  if(T_WINDOWS)
    set(T_WINDOWS WINDOWS)
  endif()
  add_executable(${name} ${T_SOURCES})
  muhe_precompile(${name} TESTS ${T_WINDOWS})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1 WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  if(T_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}")
  endif()
endfunction()

# muhe_library(NAME [WINDOWS] SOURCES ...): a static library of the project, with src/ on the
# include path; WINDOWS marks the window code, which reads the system's headers everywhere.
function(muhe_library name)
  cmake_parse_arguments(L "WINDOWS" "" "" ${ARGN})
  add_library(${name} STATIC ${L_UNPARSED_ARGUMENTS})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  if(L_WINDOWS)
    muhe_precompile(${name} WINDOWS)
  else()
    muhe_precompile(${name})
  endif()
endfunction()

# muhe_window_test(NAME SOURCES ... LIBS ...): a window test under Wine. It links the
# toolkit's test support, the program's resources (so windows show the program's pictures)
# and knows the sample installation. Under Xvfb there is no window manager, and Wine waits
# for one whenever a managed window is hidden or destroyed, so Wine keeps the windows of this
# executable unmanaged (activation and focus work alike).
function(muhe_window_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  muhe_test(${name} WINDOWS SOURCES ${T_SOURCES} $<TARGET_OBJECTS:muhe_resources> LIBS ${T_LIBS} muhe_window_test_support)
  target_compile_definitions(${name} PRIVATE MUHE_SAMPLE_DIR="Z:${PROJECT_SOURCE_DIR}/build/sample")
  muhe_unmanaged_windows(${name})
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED unmanaged_windows)
endfunction()

# muhe_unmanaged_windows(NAME): Wine keeps the windows of NAME.exe unmanaged. One ctest entry,
# `unmanaged_windows`, writes the setting for every such executable in one Wine start (each
# start of Wine costs seconds); muhe_unmanaged_windows_test() adds it once all are known.
function(muhe_unmanaged_windows name)
  set_property(GLOBAL APPEND PROPERTY MUHE_UNMANAGED_EXES ${name}.exe)
endfunction()

function(muhe_unmanaged_windows_test)
  get_property(exes GLOBAL PROPERTY MUHE_UNMANAGED_EXES)
  set(text "REGEDIT4\r\n")
  foreach(exe ${exes})
    string(APPEND text "\r\n[HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\${exe}\\X11 Driver]\r\n\"Managed\"=\"N\"\r\n")
  endforeach()
  file(WRITE ${CMAKE_BINARY_DIR}/unmanaged-windows.reg "${text}")
  add_test(NAME unmanaged_windows COMMAND wine regedit /S "Z:${CMAKE_BINARY_DIR}/unmanaged-windows.reg")
  set_tests_properties(unmanaged_windows PROPERTIES FIXTURES_SETUP unmanaged_windows)
endfunction()
