# Windows build: 32-bit (the shipped product) or 64-bit, chosen by the toolchain file; Unicode,
# GUI subsystem, statically linked so that the only imports are system DLLs.
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
add_compile_definitions(UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601
                        WINVER=0x0601 _WIN32_IE=0x0600)
# Truncation between pointers, handles and 32-bit integers is an error in both builds (C++ already
# refuses a cast of a pointer to a smaller integer): a value that is harmless on i686 loses the
# upper half of an address on x86_64.
add_compile_options(-Wall -Wextra -Wno-cast-function-type -Wno-missing-field-initializers
                    -Werror=int-to-pointer-cast -Werror=narrowing)
add_link_options(-static -static-libgcc -static-libstdc++)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  # Large-address-aware: the pixel buffers of big virtual screens need more than 2 GB of address
  # space in a 32-bit process (a 64-bit process has no such limit).
  add_link_options(-Wl,--large-address-aware)
endif()
# The two products are Unicode GUI programs; test programs are console programs with main().
set(GUI_LINK -mwindows -municode)
set(WIN_LIBS gdiplus msimg32 imm32 comdlg32 comctl32 shell32 shlwapi advapi32 ole32 uuid gdi32
             user32 kernel32)

set(BIN_DIR ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${BIN_DIR})

# Pictures, cursors and the icon come from the host generator built by the native configuration.
set(RESGEN "" CACHE FILEPATH "host resgen executable (built by the native configuration)")
if(NOT RESGEN OR NOT EXISTS ${RESGEN})
  message(FATAL_ERROR "RESGEN must point at the native build's resgen (see Makefile)")
endif()
set(GEN_DIR ${CMAKE_BINARY_DIR}/generated)
add_custom_command(OUTPUT ${GEN_DIR}/resgen.stamp
                   COMMAND ${RESGEN} ${GEN_DIR}
                   DEPENDS ${RESGEN}
                   COMMENT "Drawing bitmaps, cursors and icon")
add_custom_target(pictures DEPENDS ${GEN_DIR}/resgen.stamp)

add_library(portable STATIC ${PORTABLE_SOURCES} ${CMAKE_SOURCE_DIR}/cmake/empty.cpp)
target_include_directories(portable PUBLIC ${CMAKE_SOURCE_DIR})

add_subdirectory(screenshot)
add_subdirectory(launcher)

# Tests under Wine: GoogleTest cross-compiled from the distribution's sources.
add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
add_subdirectory(tests)
add_subdirectory(bench)

# The SDK and GDI+ headers take longer to parse than most of our files take to compile: the
# libraries with many Win32 files parse them once (the test program too, tests/CMakeLists.txt).
# The platform-free library never sees them: it must build without windows.h.
foreach(target engine launcher_lib)
  target_precompile_headers(${target} PRIVATE ${CMAKE_SOURCE_DIR}/cmake/windows_pch.h)
endforeach()
