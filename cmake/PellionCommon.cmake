# Compile settings every target of the project links.
add_library(pellion_options INTERFACE)
target_compile_options(pellion_options INTERFACE
  -Wall -Wextra -Wshadow
  $<$<COMPILE_LANGUAGE:CXX>:-Wnon-virtual-dtor -Wold-style-cast>)
target_compile_definitions(pellion_options INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CONTEXTLESS_CONNECT QT_NO_KEYWORDS)
if(PELLION_WERROR)
  target_compile_options(pellion_options INTERFACE -Werror)
endif()
if(PELLION_SANITIZE)
  target_compile_options(pellion_options INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(pellion_options INTERFACE -fsanitize=address,undefined)
endif()

# pellion_library(name SOURCES ... LIBS ...): one static library per subsystem folder.
function(pellion_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC pellion_options ${ARG_LIBS})
endfunction()
