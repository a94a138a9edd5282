# Installs the build into a scratch prefix and checks that every installed
# piece is there and that the menu entry passes desktop-file-validate.
# Run with -DBUILD_DIR=... -DPREFIX=...
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed")
endif()
foreach(path bin/vantrell bin/vantrell-tool bin/vantrell-start
             share/applications/vantrell.desktop
             share/icons/hicolor/scalable/apps/vantrell.svg share/doc/vantrell/help/contents.html)
  if(NOT EXISTS ${PREFIX}/${path})
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()
find_program(VALIDATE desktop-file-validate)
if(NOT VALIDATE)
  message("SKIP: desktop-file-validate is not installed")
  return()
endif()
execute_process(COMMAND ${VALIDATE} ${PREFIX}/share/applications/vantrell.desktop
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT result EQUAL 0 OR NOT out STREQUAL "")
  message(FATAL_ERROR "desktop-file-validate: ${out}")
endif()
