# Installing puts the application folder together under the prefix, as the build tree's app/ holds
# it: the program, the sound and network modules, any other program of the suite (graph), skins,
# sounds, help page and icon side by side. The program keeps its settings in that folder, so it stays portable
# and a prefix the user can write to (scripts/install.sh uses ~/.local) is the one that works.
# Around it: a launcher on the PATH and the icon in the hicolor theme's sizes. The desktop entries
# name the folder by its absolute path, so scripts/install.sh writes them after `cmake --install`.
include(GNUInstallDirs)

set(CHRONOLIEN_INSTALL_APPDIR "${CMAKE_INSTALL_LIBDIR}/chronolien"
    CACHE STRING "The application folder, relative to the installation prefix")

set(chronolien_app_programs chronolien)
# Added by src/ on the way: installed beside the program when it is built.
if(TARGET graph)
    list(APPEND chronolien_app_programs graph)
endif()
install(TARGETS ${chronolien_app_programs} RUNTIME DESTINATION "${CHRONOLIEN_INSTALL_APPDIR}")
install(TARGETS chronolien_sound chronolien_network LIBRARY DESTINATION "${CHRONOLIEN_INSTALL_APPDIR}")
install(DIRECTORY "${CMAKE_SOURCE_DIR}/data/skin" "${CMAKE_SOURCE_DIR}/data/sons" "${CMAKE_SOURCE_DIR}/data/doc"
        DESTINATION "${CHRONOLIEN_INSTALL_APPDIR}")
install(FILES "${CMAKE_SOURCE_DIR}/data/icons/chronolien.png" DESTINATION "${CHRONOLIEN_INSTALL_APPDIR}/icons")
install(DIRECTORY "${CMAKE_SOURCE_DIR}/data/icons/hicolor" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons")

# The launcher is a relative link: the program finds its folder through /proc/self/exe, which
# resolves it, and the pair can move together to another prefix.
cmake_path(ABSOLUTE_PATH CHRONOLIEN_INSTALL_APPDIR BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}"
           OUTPUT_VARIABLE chronolien_full_appdir)
file(RELATIVE_PATH chronolien_launcher_target "${CMAKE_INSTALL_FULL_BINDIR}" "${chronolien_full_appdir}/chronolien")
file(MAKE_DIRECTORY "${CMAKE_BINARY_DIR}/launcher")
file(CREATE_LINK "${chronolien_launcher_target}" "${CMAKE_BINARY_DIR}/launcher/chronolien" SYMBOLIC)
install(FILES "${CMAKE_BINARY_DIR}/launcher/chronolien" DESTINATION "${CMAKE_INSTALL_BINDIR}")

# Where things land, relative to the prefix (or absolute where so configured), for
# scripts/install.sh: the desktop entries name the program, and the icon cache is refreshed.
file(WRITE "${CMAKE_BINARY_DIR}/install_dirs.txt"
     "appdir=${CHRONOLIEN_INSTALL_APPDIR}\nbindir=${CMAKE_INSTALL_BINDIR}\nicondir=${CMAKE_INSTALL_DATADIR}/icons/hicolor\n")
