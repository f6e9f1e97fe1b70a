# Small wrappers that give every library and test of the project the same settings.

set(KW_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Werror=return-type)

function(kw_apply_common target)
  target_compile_options(${target} PRIVATE ${KW_WARNINGS})
  if(KW_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
                                             -fno-sanitize-recover=undefined)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

# kw_add_library(<name> SOURCES ... [PUBLIC_DEPS ...] [PRIVATE_DEPS ...])
# Creates the static library kw_<name> with the alias Kw::<name>; its headers are included as
# "<name>/Header.h" from src/.
function(kw_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC_DEPS;PRIVATE_DEPS" ${ARGN})
  add_library(kw_${name} STATIC ${ARG_SOURCES})
  add_library(Kw::${name} ALIAS kw_${name})
  target_include_directories(kw_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(kw_${name} PUBLIC ${ARG_PUBLIC_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
  kw_apply_common(kw_${name})
endfunction()

# kw_add_test(<name> SOURCES ... DEPS ... [LABELS ...])
# One GoogleTest executable registered with CTest test by test.
function(kw_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE KW_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data"
                                             KW_BINARY_DIR="${CMAKE_BINARY_DIR}")
  kw_apply_common(${name})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS "${ARG_LABELS}"
                       ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# kw_embed_files(<target> <namespace> <function> FILES <name>=<path> ...)
# Compiles files into <target> as byte arrays, found at run time through
#   std::span<const std::uint8_t> <namespace>::<function>(std::string_view name)
# The generated source lives in the build tree; the files stay the single source of truth.
function(kw_embed_files target ns func)
  cmake_parse_arguments(ARG "" "" "FILES" ${ARGN})
  set(out "${CMAKE_CURRENT_BINARY_DIR}/${target}_${func}_embedded.cpp")
  set(entries "")
  set(deps "")
  foreach(pair IN LISTS ARG_FILES)
    string(REPLACE "=" ";" parts "${pair}")
    list(GET parts 0 key)
    list(GET parts 1 path)
    list(APPEND entries "${key}=${CMAKE_CURRENT_SOURCE_DIR}/${path}")
    list(APPEND deps "${CMAKE_CURRENT_SOURCE_DIR}/${path}")
  endforeach()
  # The list travels as one argument: '|' stands for the list separator.
  string(REPLACE ";" "|" packed "${entries}")
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DOUT=${out} -DNS=${ns} -DFUNC=${func} "-DENTRIES=${packed}"
            -P ${PROJECT_SOURCE_DIR}/cmake/EmbedFiles.cmake
    DEPENDS ${deps} ${PROJECT_SOURCE_DIR}/cmake/EmbedFiles.cmake
    COMMENT "Embedding files into ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE ${out})
endfunction()
