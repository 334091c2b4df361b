# Delay-loaded system DLLs for one executable: Wine takes a noticeable time to
# load and start each DLL, and the program calls some of them only when a
# file dialog, the printer or the network is first used. For each DLL named,
# an import library of the same name that loads the DLL at its first call
# is made from the toolchain's own import library and put first in the
# target's library path, so the "-lname" of every library linked in finds it.
#   tq_delay_load(<target> <dll file name>...)     (MinGW only)
# The file name is the DLL's own ("winspool.drv"); its import library is
# named after its base name.
function(tq_delay_load target)
  set(dir ${CMAKE_BINARY_DIR}/delayload/${target})
  file(MAKE_DIRECTORY ${dir})
  set(outputs)
  foreach(file IN LISTS ARGN)
    get_filename_component(dll ${file} NAME_WE)
    find_library(TQ_IMPORT_LIB_${dll} NAMES lib${dll}.a ${dll} REQUIRED)
    # The DLL's exports are the import library's __imp_ symbols.
    execute_process(COMMAND ${CMAKE_NM} -g --defined-only ${TQ_IMPORT_LIB_${dll}}
                    OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX MATCHALL "__imp_[A-Za-z0-9_@?$]+" imports "${symbols}")
    list(REMOVE_DUPLICATES imports)
    list(TRANSFORM imports REPLACE "^__imp_" "")
    list(JOIN imports "\n" exports)
    file(WRITE ${dir}/${dll}.def.in "LIBRARY ${file}\nEXPORTS\n${exports}\n")
    configure_file(${dir}/${dll}.def.in ${dir}/${dll}.def COPYONLY)
    add_custom_command(OUTPUT ${dir}/lib${dll}.a
                       COMMAND ${CMAKE_DLLTOOL} --input-def ${dir}/${dll}.def --dllname ${file}
                               --output-delaylib ${dir}/lib${dll}.a
                       DEPENDS ${dir}/${dll}.def
                       COMMENT "Delay-load import library for ${file}")
    list(APPEND outputs ${dir}/lib${dll}.a)
  endforeach()
  # A DLL taken off the list must not leave its library for -l to find.
  file(GLOB present ${dir}/lib*.a)
  foreach(lib IN LISTS present)
    if(NOT lib IN_LIST outputs)
      file(REMOVE ${lib})
    endif()
  endforeach()
  # The list itself, so that a change of it links the target again.
  file(WRITE ${dir}/dlls.txt.in "${ARGN}\n")
  configure_file(${dir}/dlls.txt.in ${dir}/dlls.txt COPYONLY)
  add_custom_target(${target}_delay_load DEPENDS ${outputs})
  add_dependencies(${target} ${target}_delay_load)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${outputs} ${dir}/dlls.txt)
  target_link_directories(${target} BEFORE PRIVATE ${dir})
endfunction()
