# lumi_sources(PORTABLE a.cpp ... WIN32 b.cpp ... NATIVE c.cpp ...): adds a folder's files to
# lumi_core. Portable files use standard C++ and libjpeg only and build everywhere; Win32 files
# build for Windows alone; NATIVE files stand in for Win32 ones in the native (test) build.
function(lumi_sources)
  cmake_parse_arguments(ARG "" "" "PORTABLE;WIN32;NATIVE" ${ARGN})
  foreach(f ${ARG_PORTABLE})
    target_sources(lumi_core PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/${f})
  endforeach()
  if(LUMI_WINDOWS)
    foreach(f ${ARG_WIN32})
      target_sources(lumi_core PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/${f})
    endforeach()
  else()
    foreach(f ${ARG_NATIVE})
      target_sources(lumi_core PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/${f})
    endforeach()
  endif()
endfunction()
