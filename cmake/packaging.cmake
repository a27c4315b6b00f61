# The Debian package: `cmake --build build/native --target package` writes
# scrsaver_VERSION_amd64.deb with scrplay, scrtool, the Windows runtime (and hook
# library) that `scrtool make` appends savers to, the daemon's settings file for
# scrplay and a man page per command. Its dependencies come from Debian's
# shared-library data (dpkg-shlibdeps), plus a General MIDI sound font for the music.
if(WIN32 OR NOT TARGET scrplay OR NOT TARGET scrtool)
  return()
endif()

install(TARGETS scrtool RUNTIME DESTINATION bin)
if(SCR_WIN32_BUILD_DIR)
  set(scr_package_win32_dir "${SCR_WIN32_BUILD_DIR}")
else()
  set(scr_package_win32_dir "${PROJECT_SOURCE_DIR}/build/win32")
endif()
# The win32 tree's runtime: `scrtool make` finds it here when installed. Making the
# package without it fails, so no package lacks it.
install(FILES "${scr_package_win32_dir}/app/runtime.scr" DESTINATION share/scrsaver)
install(FILES "${scr_package_win32_dir}/hook/nuvscrhook.dll" DESTINATION share/scrsaver OPTIONAL)

# Man pages, compressed as Debian keeps them.
set(scr_man_pages "")
foreach(page scrplay.1 scrtool.1)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/man/${page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/man/${page} > ${CMAKE_BINARY_DIR}/man/${page}.gz
    DEPENDS ${PROJECT_SOURCE_DIR}/man/${page} VERBATIM)
  list(APPEND scr_man_pages ${CMAKE_BINARY_DIR}/man/${page}.gz)
endforeach()
add_custom_target(scr_man_pages ALL DEPENDS ${scr_man_pages})
install(FILES ${scr_man_pages} DESTINATION share/man/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME scrsaver)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "scrsaver developers <scrsaver@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "picture slide-show savers: a Linux player and the maker")
set(CPACK_PACKAGE_DESCRIPTION
  "scrplay plays picture slide-show saver files (Windows screen savers carrying their own\n pictures, music and settings) full screen, in a window or as a screen saver hack;\n scrtool makes, inspects, checks, extracts and records them.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "timgm6mb-soundfont | fluid-soundfont-gm")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xscreensaver")
# Folders as Debian has them (rwxr-xr-x), whatever the builder's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
