# The compiler's run-time, linked as the tool chain says (QLN_SHARED_RUNTIME):
# - 64-bit links it statically into every module. Exceptions unwind through the system's own
#   tables, so a module catches what another throws however each is linked, and no DLL of the
#   compiler's has to travel with the modules. (Linking only libgcc and libstdc++ statically still
#   leaves libwinpthread-1.dll to be found, and Wine then refuses to load the module.)
# - 32-bit links it as DLLs. This tool chain unwinds with DWARF tables through libgcc's unwinder,
#   which a statically linked module carries a copy of: an exception thrown in QLNAfx.dll and
#   caught in QLNBase.dll or a report object's DLL passes from one copy to another, is taken for
#   uncaught and ends the process. With one shared unwinder and C++ run-time it is caught.
# The DLLs are copied beside the modules in the build tree and installed beside QLNBase.dll;
# QLN_RUNTIME_DLLS names them where they come from.
set(QLN_RUNTIME_DLLS)
foreach(name ${QLN_RUNTIME_DLL_NAMES})
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${name}
                  OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
    message(FATAL_ERROR "The compiler's run-time DLL ${name} was not found (the compiler answered \"${path}\")")
  endif()
  file(REAL_PATH "${path}" path)
  list(APPEND QLN_RUNTIME_DLLS ${path})
endforeach()

if(QLN_RUNTIME_DLLS)
  set(copies)
  foreach(path ${QLN_RUNTIME_DLLS})
    get_filename_component(name ${path} NAME)
    set(copy ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${name})
    add_custom_command(OUTPUT ${copy} COMMAND ${CMAKE_COMMAND} -E copy_if_different ${path} ${copy}
                       DEPENDS ${path} VERBATIM)
    list(APPEND copies ${copy})
  endforeach()
  add_custom_target(QLNRuntime ALL DEPENDS ${copies})
  install(FILES ${QLN_RUNTIME_DLLS} DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
# Their names, one a line, for the scripts that check what the modules import.
set(names)
foreach(name ${QLN_RUNTIME_DLL_NAMES})
  string(APPEND names "${name}\n")
endforeach()
file(WRITE ${PROJECT_BINARY_DIR}/runtime-dlls.txt "${names}")
