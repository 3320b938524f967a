# Installs the build into a scratch prefix and checks that the window program, its
# pointer files, its menu entry and its icon land where the program and the desktop
# look for them.
# Arguments: -DBUILD_DIR=... -DPREFIX=... -DBINDIR=... -DDATADIR=...
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE installed OUTPUT_QUIET)
if(NOT installed EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${installed}")
endif()
foreach(expected
        "${BINDIR}/parvane"
        "${DATADIR}/parvane/HAND-M.CUR"
        "${DATADIR}/parvane/drag.ico"
        "${DATADIR}/applications/parvane.desktop"
        "${DATADIR}/icons/hicolor/32x32/apps/parvane.png")
    if(NOT EXISTS "${PREFIX}/${expected}")
        message(FATAL_ERROR "not installed: ${expected}")
    endif()
endforeach()
file(STRINGS "${PREFIX}/${DATADIR}/applications/parvane.desktop" exec REGEX "^Exec=")
if(NOT exec STREQUAL "Exec=parvane %F")
    message(FATAL_ERROR "the menu entry starts '${exec}'")
endif()
file(REMOVE_RECURSE "${PREFIX}")
