# Installation layout shared by the front ends, and the Debian package that CPack builds
# from it (`cpack -G DEB` in a Release build directory; scripts/package.sh does it all).
include(GNUInstallDirs)

# Installs a manual page gzipped, as Debian keeps them: the copy is compressed at build
# time into the build directory, so an installed tree and the package carry the same file.
# The target man_pages builds every page registered here.
add_custom_target(man_pages ALL)
function(tavelko_install_man_page page)
  get_filename_component(name "${page}" NAME)
  string(REGEX MATCH "[0-9]$" section "${name}")
  set(gz "${CMAKE_CURRENT_BINARY_DIR}/man/${name}.gz")
  add_custom_command(
    OUTPUT "${gz}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_CURRENT_BINARY_DIR}/man"
    COMMAND gzip -9 -n -c "${page}" > "${gz}"
    DEPENDS "${page}"
    COMMENT "Compressing the manual page ${name}"
    VERBATIM)
  add_custom_target(man_${name} DEPENDS "${gz}")
  add_dependencies(man_pages man_${name})
  install(FILES "${gz}" DESTINATION "${CMAKE_INSTALL_MANDIR}/man${section}")
endfunction()

# Debian looks for the licence of every package here.
install(FILES "${PROJECT_SOURCE_DIR}/LICENSE" DESTINATION "${CMAKE_INSTALL_DOCDIR}" RENAME copyright)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavelko)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "The Tavelko developers")
set(CPACK_PACKAGE_CONTACT "The Tavelko developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "exact calculator for physical quantities")
set(CPACK_PACKAGE_DESCRIPTION [=[
Tavelko evaluates expressions whose numbers may carry units and prints exact
results: fractions of any length, repeating decimals with their cycle marked,
roots expanded digit by digit until cancelled, units with SI prefixes converted
by exact formulas, times as h:mm:ss and numbers in any radix from 2 to 36.

The package holds the Qt desktop window (tavelko) and the console front end
(tavelko-cli) with line editing and JSON output.]=])
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Tavelko developers")
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends comes from dpkg-shlibdeps on the installed programs, and the libraries they open
# only when first needed (PCRE2 at the first unit pattern, libedit at the console's
# prompt), which no link names, and Qt's own translations, which the window loads by name. The real-number module is opened the same way, but it is
# an ELF file of the package itself: dpkg-shlibdeps reads its links and names Calcium,
# Antic, Arb and FLINT with their versions, so they are not repeated here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libpcre2-16-0, libedit2, qt6-translations-l10n")

include(CPack)
