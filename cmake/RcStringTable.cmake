# Makes the string table of a native build (framework/core/native/AfxStringTable.h) from the
# STRINGTABLE blocks of resource scripts, so that a string stays written once, in its .rc file.
#   cmake -DOUTPUT=table.cpp -DINPUTS="app.rc;library.rc" -P RcStringTable.cmake
# Scripts come in search order: the program's own first, then its libraries'. They are UTF-8, as
# the resource compiler reads them here. A string the native compiler could read differently
# (an escape other than \n \t \r \a \\ \", a string over several lines) stops the build with
# the file and line, rather than giving another text than the Windows build.
cmake_minimum_required(VERSION 3.25)

if(NOT OUTPUT OR NOT INPUTS)
  message(FATAL_ERROR "RcStringTable: OUTPUT and INPUTS are required")
endif()

# Lines are split through a CMake list, whose separators and brackets would otherwise be read
# as list syntax: each such character stands for itself as a control character meanwhile.
string(ASCII 1 kBackslash)
string(ASCII 2 kSemicolon)
string(ASCII 3 kOpenBracket)
string(ASCII 4 kCloseBracket)

function(restore_text var text)
  string(REPLACE "${kBackslash}" "\\" text "${text}")
  string(REPLACE "${kSemicolon}" ";" text "${text}")
  string(REPLACE "${kOpenBracket}" "[" text "${text}")
  string(REPLACE "${kCloseBracket}" "]" text "${text}")
  set(${var} "${text}" PARENT_SCOPE)
endfunction()

set(includes "")
set(entries "")
foreach(rc IN LISTS INPUTS)
  get_filename_component(rc_dir "${rc}" DIRECTORY)
  file(READ "${rc}" content)
  string(REPLACE "\r" "" content "${content}")
  string(REPLACE "\\" "${kBackslash}" content "${content}")
  string(REPLACE ";" "${kSemicolon}" content "${content}")
  string(REPLACE "[" "${kOpenBracket}" content "${content}")
  string(REPLACE "]" "${kCloseBracket}" content "${content}")
  string(REPLACE "\n" ";" lines "${content}")

  set(line_number 0)
  set(state outside)            # outside, header (STRINGTABLE seen), body (after BEGIN)
  foreach(line IN LISTS lines)
    math(EXPR line_number "${line_number} + 1")
    string(STRIP "${line}" line)
    if(line STREQUAL "" OR line MATCHES "^//")
      continue()
    endif()
    if(state STREQUAL "outside")
      if(line MATCHES "^#include[ \t]+\"([^\"]+)\"")
        set(header "${rc_dir}/${CMAKE_MATCH_1}")
        if(NOT EXISTS "${header}")
          message(FATAL_ERROR "${rc}:${line_number}: ${CMAKE_MATCH_1} not found beside the script")
        endif()
        if(header MATCHES "\\.rc$")
          # A script of templates, not a header: its strings would be lost here.
          file(READ "${header}" included)
          if(included MATCHES "STRINGTABLE")
            message(FATAL_ERROR "${header}: strings belong in the script that includes it, ${rc}")
          endif()
        else()
          string(APPEND includes "#include \"${header}\"\n")
        endif()
      elseif(line MATCHES "^STRINGTABLE")
        set(state header)
      endif()
    elseif(state STREQUAL "header")
      if(line STREQUAL "BEGIN" OR line STREQUAL "{")
        set(state body)
      endif()
    elseif(line STREQUAL "END" OR line STREQUAL "}")
      set(state outside)
    elseif(line MATCHES "^([A-Za-z_][A-Za-z0-9_]*|[0-9]+)[ \t]*,?[ \t]*\"(.*)\"[ \t]*(//.*)?$")
      set(id "${CMAKE_MATCH_1}")
      # A doubled quote is the script's way of writing one.
      string(REPLACE "\"\"" "${kBackslash}\"" text "${CMAKE_MATCH_2}")
      string(REGEX REPLACE "${kBackslash}[ntra${kBackslash}\"]" "" rest "${text}")
      if(rest MATCHES "${kBackslash}")
        message(FATAL_ERROR "${rc}:${line_number}: an escape the table cannot carry over as it is")
      endif()
      if(rest MATCHES "\"")
        message(FATAL_ERROR "${rc}:${line_number}: a quote inside the string")
      endif()
      string(APPEND entries "    AFX_STRING_ENTRY(${id}, L\"${text}\"),\n")
    else()
      restore_text(shown "${line}")
      message(FATAL_ERROR "${rc}:${line_number}: not a string entry: ${shown}")
    endif()
  endforeach()
  if(NOT state STREQUAL "outside")
    message(FATAL_ERROR "${rc}: STRINGTABLE without END")
  endif()
endforeach()

restore_text(entries "${entries}")
string(JOIN " " sources ${INPUTS})
file(WRITE "${OUTPUT}.new"
"// Made from ${sources} by RcStringTable.cmake.\n"
"#include \"AfxStringTable.h\"\n"
"${includes}\n"
"const AfxStringTableEntry afxStringTable[] = {\n"
"${entries}"
"    {0, nullptr, 0},\n"
"};\n")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
