# Installing the game (`cmake --install build --prefix P`); the Debian
# packages (debian/) are made from the same install.
include(GNUInstallDirs)

# Debian's layout for games: the program in games/, its data in share/games/.
set(PESKO_INSTALL_BINDIR games)
set(PESKO_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/games/pesko)

# The game looks in the install folder compiled in here; only paths.cpp
# depends on it, so a build for another prefix recompiles one file.
set_property(SOURCE ${CMAKE_SOURCE_DIR}/files/paths.cpp APPEND PROPERTY COMPILE_DEFINITIONS
  PESKO_INSTALL_DATA_DIR="${CMAKE_INSTALL_PREFIX}/${PESKO_INSTALL_DATADIR}")

install(TARGETS pesko RUNTIME DESTINATION ${PESKO_INSTALL_BINDIR})
install(FILES
  ${CMAKE_BINARY_DIR}/data.dat
  ${CMAKE_BINARY_DIR}/game_font.pcx
  ${CMAKE_BINARY_DIR}/gamelogo.avi
  ${CMAKE_BINARY_DIR}/patches.dat
  DESTINATION ${PESKO_INSTALL_DATADIR})
install(FILES ${CMAKE_SOURCE_DIR}/dist/pesko.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/dist/org.pesko.Pesko.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 32 48 64 128 256)
  install(FILES ${CMAKE_BINARY_DIR}/gen/icons/pesko-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME pesko.png)
endforeach()

# Debian wants manual pages and changelogs compressed, the same bytes on every build.
find_program(GZIP gzip REQUIRED)
foreach(doc pesko.6 changelog)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/dist/${doc}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/dist
    COMMAND ${GZIP} -9nc ${CMAKE_SOURCE_DIR}/dist/${doc} > ${CMAKE_BINARY_DIR}/dist/${doc}.gz
    DEPENDS ${CMAKE_SOURCE_DIR}/dist/${doc})
endforeach()
add_custom_target(compressed_docs ALL DEPENDS ${CMAKE_BINARY_DIR}/dist/pesko.6.gz ${CMAKE_BINARY_DIR}/dist/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/dist/pesko.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/dist/copyright ${CMAKE_BINARY_DIR}/dist/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DOCDIR})
