# Host build: sanitizers on everything we compile, GoogleTest from the distribution's sources.
set(SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
add_compile_options(-Wall -Wextra)

add_subdirectory(tools/resgen)

add_compile_options(${SANITIZE})
add_link_options(${SANITIZE})
add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_library(portable STATIC ${PORTABLE_SOURCES} ${CMAKE_SOURCE_DIR}/cmake/empty.cpp)
target_include_directories(portable PUBLIC ${CMAKE_SOURCE_DIR})

file(GLOB NATIVE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*_test.cpp)
if(NATIVE_TESTS)
  add_executable(native_tests ${NATIVE_TESTS})
  target_link_libraries(native_tests portable gtest_main)
  add_test(NAME native_tests COMMAND native_tests)
endif()
