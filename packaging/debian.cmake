# The Debian package (cpack -G DEB): the same programs in the system's layout below /usr.
# Its install rules are the component "debian", left out of a plain `cmake --install` so the
# portable folder and the archive stay as they are:
#   /usr/bin/norvalis, /usr/bin/norvalis-cli
#   /usr/lib/<arch>/norvalis/norvalis-log.so      (platform/ finds it from the program's folder)
#   /usr/share/norvalis/Norvalis-manual.html      (Help > Contents; the layout's mark)
#   /usr/share/doc/norvalis/                      (the manual, the sample tables, copyright)
#   the desktop entry, icons, AppStream file, manual pages and bash completion.
# The settings file is then per-user (see core/settings_location.h).

set(_deb COMPONENT debian EXCLUDE_FROM_ALL)
set(_doc share/doc/norvalis)

install(TARGETS norvalis norvalis-cli RUNTIME DESTINATION bin ${_deb})
install(TARGETS norvalis_log_plugin LIBRARY DESTINATION ${NORVALIS_PACKAGE_PLUGIN_DIR} ${_deb})
# The programs' "$ORIGIN" run path serves the portable folder; the system's libraries need none.
install(CODE "
    foreach(_file bin/norvalis bin/norvalis-cli ${NORVALIS_PACKAGE_PLUGIN_DIR}/norvalis-log.so)
        file(RPATH_REMOVE FILE \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${_file}\")
    endforeach()
" ${_deb})

install(FILES ${PROJECT_SOURCE_DIR}/resources/${NORVALIS_DESKTOP_ID}.desktop
        DESTINATION share/applications ${_deb})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/icons/hicolor DESTINATION share/icons ${_deb})
install(FILES ${PROJECT_BINARY_DIR}/resources/${NORVALIS_DESKTOP_ID}.metainfo.xml
        DESTINATION share/metainfo ${_deb})

install(FILES ${PROJECT_BINARY_DIR}/app/Norvalis-manual.html
        DESTINATION ${NORVALIS_PACKAGE_DATA_DIR} ${_deb})
# Documentation may be left out of an install (dpkg's path-exclude), so the program reads the
# manual from its own data folder and the documentation folder links to it.
install(CODE "
    set(_doc_dir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${_doc}\")
    file(MAKE_DIRECTORY \"\${_doc_dir}\")
    file(CREATE_LINK ../../norvalis/Norvalis-manual.html \"\${_doc_dir}/Norvalis-manual.html\"
         SYMBOLIC)
" ${_deb})
install(FILES ${PROJECT_SOURCE_DIR}/resources/Norvalis.sample.ini
              ${CMAKE_CURRENT_SOURCE_DIR}/debian/copyright
        DESTINATION ${_doc} ${_deb})

# Debian wants the changelog and the manual pages compressed, without a time stamp.
find_program(NORVALIS_GZIP gzip REQUIRED)
set(_compressed)
foreach(_source man/norvalis.1 man/norvalis-cli.1 debian/changelog)
    get_filename_component(_name ${_source} NAME)
    set(_output ${CMAKE_CURRENT_BINARY_DIR}/${_name}.gz)
    add_custom_command(OUTPUT ${_output}
        COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/${_source}
                ${CMAKE_CURRENT_BINARY_DIR}/${_name}
        COMMAND ${NORVALIS_GZIP} -9nf ${CMAKE_CURRENT_BINARY_DIR}/${_name}
        DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${_source}
        VERBATIM)
    list(APPEND _compressed ${_output})
endforeach()
add_custom_target(norvalis_package_documents ALL DEPENDS ${_compressed})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/norvalis.1.gz ${CMAKE_CURRENT_BINARY_DIR}/norvalis-cli.1.gz
        DESTINATION share/man/man1 ${_deb})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${_doc} ${_deb})
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/bash-completion/norvalis-cli
        DESTINATION share/bash-completion/completions ${_deb})

# Control fields. The libraries the programs link come from dpkg-shlibdeps; the two Qt plugins
# they load at run time (the window system's and the logbook's SQLite driver) it cannot see.
set(CPACK_DEBIAN_PACKAGE_NAME norvalis)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Norvalis developers <maintainers@norvalis.org>")
# The synopsis is the project's description; these two lines follow it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Norvalis works out correction, carbohydrate and weighting doses from the tables
you keep for each period of the day; norvalis-cli reads the same tables.")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6sql6-sqlite")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# Only the DEB generator takes the "debian" component (see generator_options.cmake).
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_SOURCE_DIR}/generator_options.cmake)
