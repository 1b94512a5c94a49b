# The installed layout and the Debian package (`make package`, CPack).
#
#   /usr/bin                   vorna7, vorna7ctl, vorna7-sim
#   /usr/share/vorna7          Help/ and Support/ as shipped (read only; the programs find it
#                              beside bin/ and keep what they write in ~/.config/vorna7)
#   /usr/share/applications, metainfo, icons/hicolor, man/man1, doc/vorna7
include(GNUInstallDirs)

set(VORNA7_PACKAGE_NAME vorna7)
set(VORNA7_DATA_DIR ${CMAKE_INSTALL_DATADIR}/${VORNA7_PACKAGE_NAME})
set(packaging ${CMAKE_SOURCE_DIR}/packaging)
set(compressed ${CMAKE_BINARY_DIR}/packaging)

install(TARGETS vorna7 vorna7ctl vorna7-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/Help/ DESTINATION ${VORNA7_DATA_DIR}/Help
        PATTERN ".*" EXCLUDE)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/Support/ DESTINATION ${VORNA7_DATA_DIR}/Support
        PATTERN ".*" EXCLUDE)

install(FILES ${packaging}/org.vorna7.VORNA7.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging}/org.vorna7.VORNA7.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${packaging}/vorna7.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 24 32 48 64 128 256)
    install(FILES ${packaging}/icons/${size}x${size}/vorna7.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# Manual pages and the changelog go in compressed, as Debian policy wants: gzip -n keeps the
# name and time out, so the package is the same from build to build.
set(compressed_files)
function(vorna7_compress source output)
    add_custom_command(OUTPUT ${compressed}/${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${compressed}
        COMMAND gzip -9nc ${source} > ${compressed}/${output}
        DEPENDS ${source} VERBATIM)
    set(compressed_files ${compressed_files} ${compressed}/${output} PARENT_SCOPE)
endfunction()
vorna7_compress(${CMAKE_SOURCE_DIR}/main/vorna7.1 vorna7.1.gz)
vorna7_compress(${CMAKE_SOURCE_DIR}/cli/vorna7ctl.1 vorna7ctl.1.gz)
vorna7_compress(${CMAKE_SOURCE_DIR}/sim/vorna7-sim.1 vorna7-sim.1.gz)
vorna7_compress(${packaging}/changelog changelog.gz)
add_custom_target(vorna7_compressed_docs ALL DEPENDS ${compressed_files})
install(FILES ${compressed}/vorna7.1.gz ${compressed}/vorna7ctl.1.gz ${compressed}/vorna7-sim.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${packaging}/copyright ${compressed}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${VORNA7_PACKAGE_NAME})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${VORNA7_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The VORNA7 developers")
set(CPACK_PACKAGE_CONTACT "VORNA7 developers <dev@vorna7.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "set-up and monitoring of a can bodymaker's controller board")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE VORNA7_DEB_ARCH
                OUTPUT_STRIP_TRAILING_WHITESPACE)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${VORNA7_DEB_ARCH})
# What DEB-DEFAULT names it; the package tests look for it there.
set(VORNA7_DEB_FILE_NAME ${VORNA7_PACKAGE_NAME}_${PROJECT_VERSION}_${VORNA7_DEB_ARCH}.deb)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Library dependencies come from dpkg-shlibdeps. The window system plugins are loaded at run
# time, so no tool can see them: without them the window cannot open. The report's face is
# found through fontconfig, equally unseen: without it the report's lines and page breaks move.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-urw-base35")
# CPack indents each line itself and writes an empty one as the paragraph mark.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"VORNA7 is the program operators and service engineers run on a PC beside a
can bodymaker. Over one RS-232 line it watches the machine (speed, position,
alarms, I/O), edits its set-up parameters and PLS timing, reads shift data,
keeps set-up data in files, moves data sets and controller programs to and
from the controller board, services the board and prints a set-up report.

The package also holds vorna7ctl, a command-line companion for scripts, and
vorna7-sim, a simulated controller board on a pseudo-terminal.")
include(CPack)
