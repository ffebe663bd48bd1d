# Installation and the Debian package. `cmake --install build --prefix P` puts the programs in
# P/bin, the shipped data files and the guide in P/share/quorvant (where the programs look
# for them, relative to their own folder) and the desktop entry with its icon where desktops find
# them. `cpack` then builds the .deb; scripts/package.sh does both steps.

include(GNUInstallDirs)

install(TARGETS qvctl RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
foreach(program qvinstructor qvteam)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

# The shipped data files and the guide are installed by resources/.

if(TARGET qvinstructor)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/quorvant-instructor.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/quorvant-instructor.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvant-instructor)
set(CPACK_PACKAGE_VENDOR "Quorvant")
set(CPACK_PACKAGE_CONTACT "Quorvant Instructor maintainers <quorvant@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Instructor's program of a classroom bank-management simulation")
set(CPACK_PACKAGE_DESCRIPTION
    "Create a game of up to ten competing banks, exchange decisions and results with the \
student teams through their bank folders, advance the game quarter by quarter, print the \
quarterly report and change the regulation. Contains the desktop program qvinstructor and \
the command-line program qvctl.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The shared libraries (Qt, the C++ runtime) come from dpkg-shlibdeps; what is loaded at run
# time without being linked is named here: the X11 platform plugin of Qt and a fixed-pitch
# font for the printed report.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TARGET qvinstructor)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-urw-base35 | fonts-dejavu-core")
endif()
include(CPack)
