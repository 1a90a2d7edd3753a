# Warnings for our own code only.
function(vexlora_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra)
  endif()
endfunction()

# vexlora_layer(<target> <folder> SOURCES <files...> [LINKS <targets...>])
#
# One layer of the program: a static library of the named sources of <folder>, linked to the
# layers below it. Its headers are included with their folder ("fonts/install.h"), and a layer
# sees only its own folder and those of the layers it links: the include path of each layer is
# a folder of its own in the build tree holding one link, named like <folder>, to <folder>. A
# header of a higher layer is then not found, so an include that runs the wrong way fails to
# build. Where the file system cannot make links, every layer sees the whole tree instead, and
# ../shared's check-layers still names such includes.
function(vexlora_layer target folder)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "SOURCES;LINKS")
  add_library(${target} STATIC ${arg_SOURCES})
  set(view "${CMAKE_BINARY_DIR}/layers/${target}")
  set(link "${view}/${folder}")
  get_filename_component(linkParent "${link}" DIRECTORY)
  file(MAKE_DIRECTORY "${linkParent}")
  set(linked 0)
  if(IS_SYMLINK "${link}")
    file(READ_SYMLINK "${link}" current)
    if(NOT current STREQUAL "${PROJECT_SOURCE_DIR}/${folder}")
      file(REMOVE "${link}")
    endif()
  endif()
  if(NOT IS_SYMLINK "${link}")
    file(CREATE_LINK "${PROJECT_SOURCE_DIR}/${folder}" "${link}" RESULT linked SYMBOLIC)
  endif()
  if(linked STREQUAL "0")
    target_include_directories(${target} PUBLIC "${view}")
  else()
    message(STATUS "${target}: no link in the build tree (${linked}); the layer sees the whole source tree")
    target_include_directories(${target} PUBLIC "${PROJECT_SOURCE_DIR}")
  endif()
  if(arg_LINKS)
    target_link_libraries(${target} PUBLIC ${arg_LINKS})
  endif()
  vexlora_warnings(${target})
endfunction()
