# Modules the build keeps apart. Each module is one folder of src/ and one static library; it
# may include headers of its own folder and of the modules it links (directly or through them),
# nothing else: a wrong-way include fails the build of that module.
set(EDI_CHECK_INCLUDES ${CMAKE_CURRENT_LIST_DIR}/check_includes.cmake)

# The folders a module may include from: its own and those of every edi_ module it links.
function(edi_allowed_dirs target out)
  get_property(dir GLOBAL PROPERTY EDI_DIR_${target})
  set(dirs ${dir})
  get_property(deps GLOBAL PROPERTY EDI_DEPS_${target})
  foreach(dep IN LISTS deps)
    get_property(known GLOBAL PROPERTY EDI_DIR_${dep} SET)
    if(known)
      edi_allowed_dirs(${dep} sub)
      list(APPEND dirs ${sub})
    endif()
  endforeach()
  list(REMOVE_DUPLICATES dirs)
  set(${out} ${dirs} PARENT_SCOPE)
endfunction()

# edi_module(<target> <folder under src/> [<linked targets>...])
function(edi_module name dir)
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${dir}/*.cpp
    ${CMAKE_SOURCE_DIR}/src/${dir}/*.h)
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARGN})
  set_property(GLOBAL PROPERTY EDI_DIR_${name} ${dir})
  set_property(GLOBAL PROPERTY EDI_DEPS_${name} ${ARGN})
  edi_allowed_dirs(${name} allowed)
  string(REPLACE ";" "," allowed_arg "${allowed}")
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${name}.includes-checked)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DMODULE=${dir} -DALLOWED=${allowed_arg}
      -DROOT=${CMAKE_SOURCE_DIR}/src -DSTAMP=${stamp} -P ${EDI_CHECK_INCLUDES}
    DEPENDS ${srcs} ${EDI_CHECK_INCLUDES}
    COMMENT "Checking the includes of ${dir}")
  add_custom_target(${name}_includes DEPENDS ${stamp})
  add_dependencies(${name} ${name}_includes)
endfunction()
