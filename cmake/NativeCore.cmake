# The platform-free units as one static library, qln_native_core, for the native builds (the
# sanitizer tests, the fuzz targets): the framework's strings, arrays and exceptions, and the
# text-field content model, as the layers' source lists name them; and, apart, the page host's
# compound-file check and page stream, and the hosts' readable property text. The including project picks
# the compiler and the sanitizers; the string seam is left to it, since each program answers
# string resources its own way.
cmake_path(GET CMAKE_CURRENT_LIST_DIR PARENT_PATH qln_top)
include(${qln_top}/framework/core/Sources.cmake)
include(${qln_top}/content/Sources.cmake)
list(TRANSFORM QLN_AFX_CORE_PLATFORM_FREE_SOURCES PREPEND ${qln_top}/framework/core/ OUTPUT_VARIABLE qln_core_sources)
list(TRANSFORM QLN_CONTENT_PLATFORM_FREE_SOURCES PREPEND ${qln_top}/content/ OUTPUT_VARIABLE qln_content_sources)
add_library(qln_native_core STATIC ${qln_core_sources} ${qln_content_sources})
target_include_directories(qln_native_core PUBLIC
    ${qln_top} ${qln_top}/framework/core ${qln_top}/framework/core/native ${qln_top}/content
    ${qln_top}/resources)
target_compile_options(qln_native_core PRIVATE -Wall -Wextra -Wno-unused-parameter -Werror)

# The report page host's check of a compound file's structure and its reader of the page's own
# stream, which read bytes and nothing else.
add_library(qln_native_page STATIC ${qln_top}/hosts/reportpage/CQLNCompoundFileCheck.cpp
    ${qln_top}/hosts/reportpage/CQLNPageStream.cpp)
target_include_directories(qln_native_page PUBLIC ${qln_top}/hosts/reportpage)
target_compile_options(qln_native_page PRIVATE -Wall -Wextra -Wno-unused-parameter -Werror)

# What the hosts share that reads text and nothing else: the readable property text of their
# property-bag and data files.
add_library(qln_native_hosts STATIC ${qln_top}/hosts/common/CQLNPropertyText.cpp)
target_include_directories(qln_native_hosts PUBLIC ${qln_top}/hosts/common)
target_compile_options(qln_native_hosts PRIVATE -Wall -Wextra -Wno-unused-parameter -Werror)

# The table-backed seam: a program links this and defines afxStringTable, generated from its
# resource scripts by qln_string_table(). Its object goes into the program itself, ahead of the
# library that calls it.
add_library(qln_native_string_table OBJECT ${qln_top}/framework/core/native/AfxStringTable.cpp)
target_link_libraries(qln_native_string_table PUBLIC qln_native_core)

# Generates OUTPUT, the definition of afxStringTable, from the resource scripts given in search
# order (the program's own first, then its libraries').
function(qln_string_table output)
  add_custom_command(OUTPUT ${output}
      COMMAND ${CMAKE_COMMAND} -DOUTPUT=${output} "-DINPUTS=${ARGN}" -P ${qln_top}/cmake/RcStringTable.cmake
      DEPENDS ${ARGN} ${qln_top}/cmake/RcStringTable.cmake
      COMMENT "String table from the resource scripts"
      VERBATIM)
endfunction()
