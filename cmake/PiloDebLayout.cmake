# Run by CPack on the staged files before it packs them: Debian keeps games in /usr/games,
# where the package moves the programs that `cmake --install` puts in bin/.
file(GLOB_RECURSE programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin/*"
     "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/usr/bin/*")
set(bin_dirs)
foreach(program IN LISTS programs)
    get_filename_component(bin "${program}" DIRECTORY)
    get_filename_component(name "${program}" NAME)
    file(MAKE_DIRECTORY "${bin}/../games")
    file(RENAME "${program}" "${bin}/../games/${name}")
    list(APPEND bin_dirs "${bin}")
endforeach()
if(bin_dirs)
    list(REMOVE_DUPLICATES bin_dirs)
    file(REMOVE_RECURSE ${bin_dirs})
endif()
