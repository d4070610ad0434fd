# The layers, enforced by the build (docs/ARCHITECTURE.md): no target exports the
# repository root. A target compiles with the headers of its own folder and with
# what the targets it links export; a library exports only the headers other
# folders may include. An include of a folder whose target is not linked, or of a
# header its target keeps to itself, does not compile.
#
# Both views are folders of symbolic links in the build tree, so includes keep
# their "folder/Header.h" form:
#   own/<folder>/<folder>             -> the whole source folder
#   exported/<target>/<folder>/<name> -> each exported header
#
#   brimlet_headers(<target> [EXPORTS <header>...])
function(brimlet_headers target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "EXPORTS")
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  get_target_property(type ${target} TYPE)
  if(NOT type STREQUAL "INTERFACE_LIBRARY")
    set(own ${PROJECT_BINARY_DIR}/own/${folder})
    if(NOT EXISTS ${own}/${folder})
      get_filename_component(parent ${own}/${folder} DIRECTORY)
      file(MAKE_DIRECTORY ${parent})
      file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${own}/${folder} SYMBOLIC)
    endif()
    target_include_directories(${target} PRIVATE ${own})
  endif()
  if(arg_EXPORTS)
    set(exported ${PROJECT_BINARY_DIR}/exported/${target})
    # A header dropped from the list must stop being found.
    file(REMOVE_RECURSE ${exported})
    file(MAKE_DIRECTORY ${exported}/${folder})
    foreach(header IN LISTS arg_EXPORTS)
      file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR}/${header} ${exported}/${folder}/${header}
           SYMBOLIC)
    endforeach()
    target_include_directories(${target} INTERFACE ${exported})
  endif()
endfunction()
