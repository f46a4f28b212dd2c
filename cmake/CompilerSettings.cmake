# Warnings and sanitizers for every target of the project.

# Release builds keep their assertions: the test suite runs on them.
string(REPLACE "-DNDEBUG" "" CMAKE_CXX_FLAGS_RELWITHDEBINFO "${CMAKE_CXX_FLAGS_RELWITHDEBINFO}")
string(REPLACE "-DNDEBUG" "" CMAKE_CXX_FLAGS_RELEASE "${CMAKE_CXX_FLAGS_RELEASE}")

if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-Wall -Wextra -Wpedantic)
elseif(MSVC)
  add_compile_options(/W4 /permissive-)
endif()

if(ROLLKEEPER_SANITIZE STREQUAL "address")
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
elseif(ROLLKEEPER_SANITIZE STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
elseif(NOT ROLLKEEPER_SANITIZE STREQUAL "")
  message(FATAL_ERROR "ROLLKEEPER_SANITIZE must be '', 'address' or 'thread'")
endif()

# Qt's own deprecation warnings stay on; nothing older than 6.4 is used.
add_compile_definitions(QT_DISABLE_DEPRECATED_UP_TO=0x060400 QT_NO_KEYWORDS)
