# The Debian package of RER, built by CPack from the install rules
# (scripts/package). Its runtime dependencies are named here by Debian
# package; scripts/package checks that they cover every shared library the
# programs load.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME rer)
set(CPACK_PACKAGE_VENDOR "RER developers")
set(CPACK_PACKAGE_CONTACT "RER developers <rer@example.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "program paging receivers from a programming cradle")
# The extended description, in lines short enough for a terminal.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "RER reads the configuration memory (the codeplug) of a paging receiver\n"
       "in a programming cradle on a serial port, edits it on a tabbed editor of\n"
       "settings pages, and programs it back into that pager, or into a run of\n"
       "pagers whose addresses and inventory numbers advance by one per pager.\n"
       "rer is the window; rer-cli does the same work from a shell. Both come\n"
       "with a simulated pager, so every operation can be tried without hardware.")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)

# Qt's libraries at least at the version built against; the platform plugins
# so that the window can open, the SQLite driver of the pager history;
# xdg-utils opens the help document.
set(RER_QT_AT_LEAST "(>= ${Qt6_VERSION_MAJOR}.${Qt6_VERSION_MINOR})")
set(RER_DEBIAN_DEPENDS
    "libc6"
    "libgcc-s1"
    "libstdc++6"
    "libqt6core6 ${RER_QT_AT_LEAST}"
    "libqt6gui6 ${RER_QT_AT_LEAST}"
    "libqt6widgets6 ${RER_QT_AT_LEAST}"
    "libqt6printsupport6 ${RER_QT_AT_LEAST}"
    "libqt6serialport6 ${RER_QT_AT_LEAST}"
    "libqt6multimedia6 ${RER_QT_AT_LEAST}"
    "libqt6sql6 ${RER_QT_AT_LEAST}"
    "libqt6sql6-sqlite ${RER_QT_AT_LEAST}"
    "qt6-qpa-plugins")
list(JOIN RER_DEBIAN_DEPENDS ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")

include(CPack)
