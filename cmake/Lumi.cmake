# The program's layers, one static library per folder, lowest first:
#   base <- imaging <- transitions <- display <- pageview; base <- pictures, host;
#   imaging <- settings; all of them <- session <- app
# lumi_layer(NAME USES lower...) in a folder's CMakeLists.txt makes its library lumi_NAME, linked
# to the layers it uses. A layer compiles against a view of the source tree that holds only its
# own folder and the folders of the layers below it that it uses (directly or through them), so
# an include against the direction of the layers finds no file and fails the build.
function(lumi_layer name)
  cmake_parse_arguments(ARG "" "" "USES" ${ARGN})
  set(target lumi_${name})
  add_library(${target} STATIC)
  set(visible ${name})
  foreach(used ${ARG_USES})
    get_property(usedVisible GLOBAL PROPERTY LUMI_LAYER_VISIBLE_${used})
    if(NOT usedVisible)
      message(FATAL_ERROR "layer ${name} uses ${used}, which is not a layer below it")
    endif()
    list(APPEND visible ${usedVisible})
    target_link_libraries(${target} PUBLIC lumi_${used})
  endforeach()
  list(REMOVE_DUPLICATES visible)
  set_property(GLOBAL PROPERTY LUMI_LAYER_VISIBLE_${name} ${visible})
  set(view ${CMAKE_BINARY_DIR}/layers/${name})
  file(REMOVE_RECURSE ${view})
  file(MAKE_DIRECTORY ${view})
  foreach(folder ${visible})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${view}/${folder} SYMBOLIC)
  endforeach()
  target_include_directories(${target} PRIVATE ${view})
  # A layer whose files all belong to the other flavour (the Win32 frame surface, say) is still a
  # library there, empty but for this.
  file(WRITE ${view}.cpp "// ${name}: no files of this flavour\n")
  target_sources(${target} PRIVATE ${view}.cpp)
  set(LUMI_LAYER ${target} PARENT_SCOPE)
  set_property(GLOBAL APPEND PROPERTY LUMI_LAYERS ${target})
endfunction()

# lumi_sources(PORTABLE a.cpp ... WIN32 b.cpp ... NATIVE c.cpp ...): adds files to the folder's
# layer. Portable files use standard C++ and libjpeg only and build everywhere; Win32 files build
# for Windows alone; NATIVE files stand in for Win32 ones in the native (test) build.
function(lumi_sources)
  cmake_parse_arguments(ARG "" "" "PORTABLE;WIN32;NATIVE" ${ARGN})
  set(files ${ARG_PORTABLE})
  if(LUMI_WINDOWS)
    list(APPEND files ${ARG_WIN32})
  else()
    list(APPEND files ${ARG_NATIVE})
  endif()
  foreach(f ${files})
    target_sources(${LUMI_LAYER} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/${f})
  endforeach()
endfunction()

# lumi_test_units(program): the test program compiles as a few large units instead of one per
# file. Most of a test file's compile time goes to the test framework's headers, which a unit
# reads once; three units rather than one keep two cores busy. Test files therefore keep their
# file-local names distinct across their program. In a unit, a test of a fixture in an unnamed
# namespace looks to GCC like a header's class with a file-local base; it is not. Optimised
# builds compile tests at -O1: half the compile time of -O2, and the code they test keeps its
# own level.
function(lumi_test_units target)
  get_target_property(sources ${target} SOURCES)
  list(FILTER sources INCLUDE REGEX "\\.(cpp|cc)$")
  list(LENGTH sources count)
  math(EXPR perUnit "(${count} + 2) / 3")
  set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE ${perUnit})
  target_compile_options(${target} PRIVATE -Wno-subobject-linkage $<$<NOT:$<CONFIG:Debug>>:-O1>)
endfunction()
