# Lumi::Jpeg: libjpeg-turbo. Native builds use Debian's package; the Windows build uses a static
# library built once from Debian's source package and cached in the build tree.
if(LUMI_WINDOWS)
  set(LUMI_JPEG_DIR ${CMAKE_BINARY_DIR}/third/libjpeg-turbo)
  if(NOT EXISTS ${LUMI_JPEG_DIR}/install/lib/libjpeg.a)
    message(STATUS "Building libjpeg-turbo for MinGW in ${LUMI_JPEG_DIR}")
    execute_process(COMMAND bash ${CMAKE_SOURCE_DIR}/tools/build-libjpeg-mingw.sh ${LUMI_JPEG_DIR}
                    RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "libjpeg-turbo for MinGW could not be built")
    endif()
  endif()
  add_library(Lumi::Jpeg STATIC IMPORTED GLOBAL)
  set_target_properties(Lumi::Jpeg PROPERTIES
    IMPORTED_LOCATION ${LUMI_JPEG_DIR}/install/lib/libjpeg.a
    INTERFACE_INCLUDE_DIRECTORIES ${LUMI_JPEG_DIR}/install/include)
else()
  find_package(JPEG REQUIRED)
  add_library(Lumi::Jpeg INTERFACE IMPORTED GLOBAL)
  target_link_libraries(Lumi::Jpeg INTERFACE JPEG::JPEG)
endif()
