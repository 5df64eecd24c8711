# `cmake --install` puts the game under a prefix (default /usr/local; ~/.local works without root):
#   bin/veldorin                                    the launcher (starts the game in its content tree)
#   libexec/veldorin/veldorin                       the game
#   share/veldorin/                                 the content tree (Data/, data/, Shader/)
#   share/applications/veldorin.desktop             the desktop menu entry
#   share/icons/hicolor/scalable/apps/veldorin.svg  its icon
# Progress and screenshots go to the player's data folder (see platform/sys/PlayerData.h).
include(GNUInstallDirs)
set(VELDORIN_INSTALL_GAME ${CMAKE_INSTALL_LIBEXECDIR}/veldorin)
set(VELDORIN_INSTALL_CONTENT ${CMAKE_INSTALL_DATADIR}/veldorin)

install(TARGETS veldorin RUNTIME DESTINATION ${VELDORIN_INSTALL_GAME})
# The built content tree, without what playing from the build tree may have left in it.
install(DIRECTORY ${VELDORIN_GAME_DIR}/ DESTINATION ${VELDORIN_INSTALL_CONTENT}
        PATTERN save.dat EXCLUDE PATTERN *.tmp EXCLUDE PATTERN .gitkeep EXCLUDE PATTERN README.md EXCLUDE)

configure_file(${CMAKE_CURRENT_LIST_DIR}/veldorin.in ${CMAKE_BINARY_DIR}/desktop/veldorin @ONLY)
install(PROGRAMS ${CMAKE_BINARY_DIR}/desktop/veldorin DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/veldorin.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The menu entry names the launcher by its absolute path, known only once the prefix is (cmake
# --install --prefix chooses it after configuring). DESTDIR stages a package: it is not part of the path.
install(CODE "
  set(VELDORIN_LAUNCHER \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/veldorin\")
  configure_file(\"${CMAKE_CURRENT_LIST_DIR}/veldorin.desktop.in\"
                 \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications/veldorin.desktop\" @ONLY)
  message(STATUS \"Installing: \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications/veldorin.desktop\")
")
