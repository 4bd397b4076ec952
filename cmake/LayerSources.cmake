# qln_layer_sources(out folder list...): the sources that the named lists (of the folder's
# Sources.cmake) give, as paths in the folder. A source of the folder that no list names stops
# the configuration, so that a new file is not left out of one of the builds unnoticed.
function(qln_layer_sources out folder)
  set(named)
  foreach(list ${ARGN})
    list(APPEND named ${${list}})
  endforeach()
  file(GLOB present CONFIGURE_DEPENDS RELATIVE ${folder} ${folder}/*.cpp)
  foreach(file ${present})
    if(NOT file IN_LIST named)
      message(FATAL_ERROR "${folder}/${file} is in none of the lists of ${folder}/Sources.cmake")
    endif()
  endforeach()
  list(TRANSFORM named PREPEND ${folder}/)
  set(${out} ${named} PARENT_SCOPE)
endfunction()
