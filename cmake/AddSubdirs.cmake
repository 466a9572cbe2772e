# Adds each named subfolder that has a CMakeLists.txt, so that a part of the
# project can grow its own folder without editing the parent.
function(lekhora_add_existing_subdirs)
  foreach(sub IN LISTS ARGN)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${sub}/CMakeLists.txt)
      add_subdirectory(${sub})
    endif()
  endforeach()
endfunction()
