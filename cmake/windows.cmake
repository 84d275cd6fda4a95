# MinGW-w64 cross build: dwl.exe, the win tier and the e2e helper programs.
# Size before speed: a tray program waits for messages (GCC 12's -Oz).
string(REPLACE "-Os" "-Oz" CMAKE_CXX_FLAGS_MINSIZEREL "${CMAKE_CXX_FLAGS_MINSIZEREL}")
add_compile_definitions(_WIN32_WINNT=0x0501 WINVER=0x0501 _WIN32_IE=0x0600 NOMINMAX STRICT)
set(DWL_STATIC -static -static-libgcc -static-libstdc++)
if(NOT DWL_SUBSYSTEM_VERSION)
  set(DWL_SUBSYSTEM_VERSION 5.01)
endif()

file(GLOB_RECURSE DWL_WIN_SOURCES CONFIGURE_DEPENDS src/*.cpp)
list(FILTER DWL_WIN_SOURCES INCLUDE REGEX "/win32/")
list(FILTER DWL_WIN_SOURCES EXCLUDE REGEX "(winmain|xp_compat|lean_runtime)\\.cpp$")
add_library(dwl_win STATIC ${DWL_WIN_SOURCES})
target_link_libraries(dwl_win PUBLIC dwl_core advapi32 shell32 user32 gdi32 kernel32)
target_compile_options(dwl_win PRIVATE ${DWL_WARNINGS})

add_executable(dwl WIN32 src/app/win32/winmain.cpp src/app/win32/xp_compat.cpp src/app/win32/lean_runtime.cpp res/dwl.rc)
target_link_libraries(dwl PRIVATE dwl_win)
target_compile_options(dwl PRIVATE ${DWL_WARNINGS})
# No time stamp in the header: two builds of one commit are the same file.
target_link_options(dwl PRIVATE ${DWL_STATIC} -s -Wl,--gc-sections -Wl,--no-insert-timestamp
                    -Wl,--subsystem,windows:${DWL_SUBSYSTEM_VERSION}
                    -Wl,--major-os-version,5 -Wl,--minor-os-version,1)
# Without run-time type information (about 20 KB): nothing asks a type its
# name, and exceptions keep the type information they need.
# Statics are made on the program's one thread (the system's pool threads that
# report a program's end only post a message): no guard code around them.
set(DWL_LEAN -fno-rtti -fno-threadsafe-statics -fno-inline-small-functions)
target_compile_options(dwl_core PRIVATE -ffunction-sections -fdata-sections ${DWL_LEAN})
target_compile_options(dwl_win PRIVATE -ffunction-sections -fdata-sections ${DWL_LEAN})
target_compile_options(dwl PRIVATE ${DWL_LEAN})
file(GLOB DWL_ICONS CONFIGURE_DEPENDS res/*.ico)
configure_file(res/dwl.manifest.in generated/dwl.manifest @ONLY)
set_source_files_properties(res/dwl.rc PROPERTIES OBJECT_DEPENDS
  "${DWL_ICONS};${CMAKE_CURRENT_BINARY_DIR}/generated/dwl.manifest;${CMAKE_CURRENT_BINARY_DIR}/generated/app/version.h")
target_include_directories(dwl PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/generated)

# Helper programs of the test tiers (tools/) and of the benchmark (bench/).
foreach(tool tools/dwlauto bench/minimal bench/cleanbench tools/closetarget)
  get_filename_component(name ${tool} NAME)
  add_executable(${name} ${tool}.cpp)
  target_link_libraries(${name} PRIVATE dwl_win)
  target_link_options(${name} PRIVATE ${DWL_STATIC} -s)
endforeach()
if(TARGET cleanbench)
  target_link_libraries(cleanbench PRIVATE psapi)
endif()
if(TARGET minimal)
  set_target_properties(minimal PROPERTIES WIN32_EXECUTABLE ON)
  target_link_options(minimal PRIVATE -Wl,--gc-sections)
endif()

# Win tier: GoogleTest cross-built from Debian's sources, run under Wine.
if(EXISTS /usr/src/googletest/CMakeLists.txt)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_CURRENT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  file(GLOB DWL_WIN_TESTS CONFIGURE_DEPENDS tests/win/*.cpp)
endif()
if(DWL_WIN_TESTS)
  add_executable(dwl_win_tests ${DWL_WIN_TESTS})
  target_link_libraries(dwl_win_tests PRIVATE dwl_win gtest_main)
  target_link_options(dwl_win_tests PRIVATE ${DWL_STATIC})
  target_compile_options(dwl_win_tests PRIVATE ${DWL_WARNINGS})
  add_test(NAME win.gtest COMMAND dwl_win_tests)
  # Beside the test program, where the search order would find it first.
  add_library(planted_powrprof SHARED tests/win/planted/powrprof.cpp)
  set_target_properties(planted_powrprof PROPERTIES OUTPUT_NAME powrprof PREFIX "")
  target_link_options(planted_powrprof PRIVATE ${DWL_STATIC})
  add_dependencies(dwl_win_tests planted_powrprof)
endif()
