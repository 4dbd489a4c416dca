# What `cmake --install` puts where, and the Debian package made from it by `cpack`.
# Included at the end of the top-level CMakeLists.txt, once every target exists.
include(GNUInstallDirs)

set(PILO_APP_ID arpa.home.pilo)
set(PILO_VERSION 1.0)
set(PILO_ICON_SIZES 16 32 48 64 128 256)
set(dist ${PILO_ROOT}/dist)
set(doc_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/pilo)

install(TARGETS pilo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET pilo-demo)
    install(TARGETS pilo-demo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES ${dist}/${PILO_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${dist}/${PILO_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The desktop icons, made at build time from the program's own icon resource.
add_executable(pilo-make-icons ${PILO_ROOT}/tools/icons/MakeIcons.cpp)
target_link_libraries(pilo-make-icons PRIVATE pilo_options pilo_resources pilo_gdi_dib
                                              pilo_gdi_png)
set(icon_dir ${CMAKE_BINARY_DIR}/icons)
list(TRANSFORM PILO_ICON_SIZES REPLACE "(.+)" "${icon_dir}/\\1.png" OUTPUT_VARIABLE icon_files)
add_custom_command(
    OUTPUT ${icon_files}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${icon_dir}
    COMMAND pilo-make-icons ${icon_dir} ${PILO_ICON_SIZES}
    DEPENDS pilo-make-icons
    COMMENT "Making the desktop icons"
    VERBATIM)
foreach(size IN LISTS PILO_ICON_SIZES)
    install(FILES ${icon_dir}/${size}.png RENAME ${PILO_APP_ID}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# The manual pages and the changelog, compressed as Debian wants them.
set(man_page ${CMAKE_BINARY_DIR}/pilo.6.gz)
set(demo_man_page ${CMAKE_BINARY_DIR}/pilo-demo.6.gz)
set(changelog ${CMAKE_BINARY_DIR}/changelog.gz)
foreach(pair "pilo.6;${man_page}" "pilo-demo.6;${demo_man_page}" "changelog;${changelog}")
    list(GET pair 0 source)
    list(GET pair 1 packed)
    add_custom_command(
        OUTPUT ${packed}
        COMMAND sh -c "gzip -9n -c \"$0\" > \"$1\"" ${dist}/${source} ${packed}
        DEPENDS ${dist}/${source}
        VERBATIM)
endforeach()
install(FILES ${man_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
if(TARGET pilo-demo)
    install(FILES ${demo_man_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
endif()
add_custom_target(pilo_desktop_files ALL DEPENDS ${icon_files} ${man_page} ${demo_man_page}
                                                 ${changelog})

# The licences, and Debian's copyright file quoting them.
function(pilo_copyright_text file from out)
    file(READ ${file} text)
    string(FIND "${text}" "${from}" at)
    string(SUBSTRING "${text}" ${at} -1 text)
    string(REGEX REPLACE "\n  " "\n" text "${text}")
    string(STRIP "${text}" text)
    string(REPLACE "\n\n" "\n.\n" text "${text}")
    string(REPLACE "\n" "\n " text " ${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()
pilo_copyright_text(${PILO_ROOT}/licenses/pilo.txt "Permission is hereby" PILO_EXPAT_TEXT)
pilo_copyright_text(${PILO_ROOT}/licenses/x11-100dpi-sans-font.txt "  Adobe is a trademark"
                    PILO_FONT_TEXT)
configure_file(${dist}/copyright.in ${CMAKE_BINARY_DIR}/copyright @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/copyright ${changelog} ${PILO_ROOT}/licenses/pilo.txt
              ${PILO_ROOT}/licenses/x11-100dpi-sans-font.txt DESTINATION ${doc_dir})

# `make package`: a Debian package of the above under /usr, the programs in /usr/games.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pilo)
set(CPACK_PACKAGE_VERSION ${PILO_VERSION})
set(CPACK_PACKAGE_CONTACT "The Pilo developers <pilo@home.arpa>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "logic game: line up five pieces of one colour")
set(CPACK_PACKAGE_DESCRIPTION
    "Pieces of six colours stand on a square or cross-shaped board. Move a piece
along a free path of orthogonal steps; five or more of one colour in a row,
column or diagonal vanish and score. A move that removes nothing brings up to
three new pieces. The game's texts and voice are Polish.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/PiloDebLayout.cmake)
include(CPack)
