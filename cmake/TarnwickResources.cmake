# tw_resources(NAME RC scripts... [FUNCTION name] [INCLUDES folders...])
# Compiles resource scripts with tw_rc into a static library NAME whose one
# function, `const tw::ResourceTable& <FUNCTION>()` (NAME by default), returns
# the table to pass to tw::RegisterResources. Files the scripts read (headers,
# images, data) are tracked through a depfile, so editing one recompiles.
include_guard(GLOBAL)

function(tw_resources name)
  cmake_parse_arguments(TW "" "FUNCTION" "RC;INCLUDES" ${ARGN})
  if(NOT TW_FUNCTION)
    set(TW_FUNCTION ${name})
  endif()
  set(output "${CMAKE_CURRENT_BINARY_DIR}/${name}_table.cpp")
  set(depfile "${CMAKE_CURRENT_BINARY_DIR}/${name}_table.d")
  set(include_args)
  foreach(dir IN LISTS TW_INCLUDES)
    get_filename_component(dir "${dir}" ABSOLUTE)
    list(APPEND include_args -I "${dir}")
  endforeach()
  set(scripts)
  foreach(script IN LISTS TW_RC)
    get_filename_component(script "${script}" ABSOLUTE)
    list(APPEND scripts "${script}")
  endforeach()
  add_custom_command(
    OUTPUT "${output}"
    COMMAND tw_rc -o "${output}" -d "${depfile}" -n ${TW_FUNCTION} ${include_args} ${scripts}
    DEPENDS tw_rc ${scripts}
    DEPFILE "${depfile}"
    COMMENT "Compiling resources of ${name}"
    VERBATIM)
  add_library(${name} STATIC "${output}")
  # One generated file per library: nothing to batch.
  set_target_properties(${name} PROPERTIES UNITY_BUILD OFF)
  target_link_libraries(${name} PUBLIC tw_win32_resource)
endfunction()
