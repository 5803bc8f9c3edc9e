# Install layout (FHS and freedesktop), the help documents built at build time, and
# the Debian package. Included by the top-level list in the Qt build.
include(GNUInstallDirs)

set(MOLVEX_APP_ID com.tamrel.Molvex2)
set(MOLVEX_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/molvex2)
set(stage ${PROJECT_BINARY_DIR}/install-stage)
file(MAKE_DIRECTORY ${stage})

install(TARGETS molvex2 molvex2-render RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The whole renderer, run by molvex2-render for what needs Qt.
install(TARGETS molvex2-render-qt RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/molvex2)
# Relocations resolved and made read-only at start, as Debian builds its programs.
foreach(program molvex2 molvex2-render molvex2-render-qt)
  target_link_options(${program} PRIVATE -Wl,-z,relro,-z,now)
endforeach()

# Desktop entry, AppStream component and MIME type share the application id.
install(FILES ${PROJECT_SOURCE_DIR}/resources/${MOLVEX_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The date of this release, for the AppStream release entry.
set(MOLVEX_RELEASE_DATE 2026-12-08)
configure_file(${PROJECT_SOURCE_DIR}/resources/${MOLVEX_APP_ID}.metainfo.xml.in
               ${stage}/${MOLVEX_APP_ID}.metainfo.xml @ONLY)
install(FILES ${stage}/${MOLVEX_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/resources/${MOLVEX_APP_ID}.mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME ${MOLVEX_APP_ID}.xml)

# Icons: the SVGs as they are, and PNGs rendered from them for desktops that want pixels.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
set(icon_sources
  "apps|${MOLVEX_APP_ID}|${PROJECT_SOURCE_DIR}/resources/icons/molvex2.svg"
  "mimetypes|application-x-molvex2|${PROJECT_SOURCE_DIR}/resources/icons/application-x-molvex2.svg")
set(icon_pngs)
foreach(entry IN LISTS icon_sources)
  string(REPLACE "|" ";" entry "${entry}")
  list(GET entry 0 context)
  list(GET entry 1 name)
  list(GET entry 2 svg)
  install(FILES ${svg} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/${context}
          RENAME ${name}.svg)
  foreach(size 16 24 32 48 64 128 256)
    set(png ${stage}/icons/${size}x${size}/${context}/${name}.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}/icons/${size}x${size}/${context}
      COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${svg}
      DEPENDS ${svg} VERBATIM)
    list(APPEND icon_pngs ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/${context})
  endforeach()
endforeach()
add_custom_target(molvex_icons ALL DEPENDS ${icon_pngs})

# The bus starts the installed program itself, so the path is known only at install time.
install(CODE "set(MOLVEX_STAGE \"${stage}\")")
install(CODE [[
  set(exe "${CMAKE_INSTALL_PREFIX}/bin/molvex2")
  file(WRITE "${MOLVEX_STAGE}/com.tamrel.Molvex2.service"
       "[D-BUS Service]\nName=com.tamrel.Molvex2\nExec=\"${exe}\" -Embedding\n")
  file(INSTALL "${MOLVEX_STAGE}/com.tamrel.Molvex2.service"
       DESTINATION "${CMAKE_INSTALL_PREFIX}/share/dbus-1/services")
]])

# Manual pages, compressed as Debian wants them.
set(man_pages)
foreach(page molvex2.1 molvex2-render.1)
  set(gz ${stage}/man/${page}.gz)
  add_custom_command(OUTPUT ${gz}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}/man
    COMMAND sh -c "gzip -9n < \"$1\" > \"$2\"" sh ${PROJECT_SOURCE_DIR}/docs/man/${page} ${gz}
    DEPENDS ${PROJECT_SOURCE_DIR}/docs/man/${page} VERBATIM)
  list(APPEND man_pages ${gz})
endforeach()
add_custom_target(molvex_man ALL DEPENDS ${man_pages})
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Help documents: manual (HTML and PDF) and quick-reference card, their equations drawn
# by molvex2-render. The build tree keeps them in help/, where an uninstalled program
# looks.
find_program(WEASYPRINT weasyprint REQUIRED)
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(help_dir ${PROJECT_BINARY_DIR}/help)
set(help_sources ${PROJECT_SOURCE_DIR}/docs/help/make_help.py
                 ${PROJECT_SOURCE_DIR}/docs/help/manual.html
                 ${PROJECT_SOURCE_DIR}/docs/help/card.html
                 ${PROJECT_SOURCE_DIR}/docs/help/help.css)
add_custom_command(
  OUTPUT ${help_dir}/mv2_manl.pdf ${help_dir}/mv2_card.pdf ${help_dir}/molvex2.html
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
          XDG_CONFIG_HOME=${stage}/help-config XDG_CONFIG_DIRS=${stage}/help-config
          ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/docs/help/make_help.py
          --renderer $<TARGET_FILE:molvex2-render> --weasyprint ${WEASYPRINT}
          --source ${PROJECT_SOURCE_DIR}/docs/help --out ${help_dir}
          --version ${PROJECT_VERSION}
  DEPENDS molvex2-render ${help_sources}
  COMMENT "Help documents" VERBATIM)
add_custom_target(molvex_help ALL DEPENDS ${help_dir}/mv2_manl.pdf)
install(FILES ${help_dir}/mv2_manl.pdf ${help_dir}/mv2_card.pdf ${help_dir}/molvex2.html
              ${PROJECT_SOURCE_DIR}/docs/help/help.css
        DESTINATION ${MOLVEX_DOC_DIR})
install(DIRECTORY ${help_dir}/pictures DESTINATION ${MOLVEX_DOC_DIR})

# Debian's copyright file and changelog sit beside the help documents.
add_custom_command(OUTPUT ${stage}/changelog.gz
  COMMAND sh -c "gzip -9n < \"$1\" > \"$2\"" sh ${PROJECT_SOURCE_DIR}/packaging/changelog ${stage}/changelog.gz
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog VERBATIM)
add_custom_target(molvex_changelog ALL DEPENDS ${stage}/changelog.gz)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${stage}/changelog.gz DESTINATION ${MOLVEX_DOC_DIR})
# The system's documentation index names /usr paths, so only a system install registers there.
install(CODE "set(MOLVEX_DOC_BASE \"${PROJECT_SOURCE_DIR}/packaging/molvex2.doc-base\")")
install(CODE [[
  if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
    file(INSTALL "${MOLVEX_DOC_BASE}" DESTINATION "/usr/share/doc-base" RENAME molvex2)
  endif()
]])

# molvex_install_libreoffice_extension(<oxt> [<target that builds it>]): installs the
# extension under share/molvex2/ for users to add themselves; a system install under
# /usr also unpacks it where LibreOffice finds bundled extensions for every user
# (BundleExtension.cmake says how).
function(molvex_install_libreoffice_extension oxt)
  install(FILES ${oxt} DESTINATION ${CMAKE_INSTALL_DATADIR}/molvex2)
  install(CODE "set(OXT \"${oxt}\")")
  install(CODE "set(MOLVEX_BUNDLE_SCRIPT \"${PROJECT_SOURCE_DIR}/cmake/BundleExtension.cmake\")")
  install(CODE [[
    if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
      set(DEST "$ENV{DESTDIR}/usr/lib/libreoffice/share/extensions/molvex2")
      include("${MOLVEX_BUNDLE_SCRIPT}")
    endif()
  ]])
endfunction()

# The Debian package: cpack -G DEB in the build folder.
set(CPACK_PACKAGE_NAME molvex2)
set(CPACK_PACKAGE_VENDOR "Tamrel Software")
set(CPACK_PACKAGE_CONTACT "Tamrel Software <molvex@tamrel.com>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "chemical equation editor that typesets as you type")
set(CPACK_PACKAGE_DESCRIPTION
"Molvex 2 typesets chemical equations as they are typed: '2H2 + O2 => 2H2O'
becomes a formatted equation with subscripts, raised charges, state
symbols, reaction and equilibrium arrows with text above and below,
nuclide pairs and the degree sign.
.
Equations of up to twenty lines are saved as .mv2 documents, printed,
exported as PNG, SVG, PDF or Windows metafile, copied to the clipboard as
pictures and served to other programs over D-Bus. The package also holds
molvex2-render, which draws equations and documents as pictures from the
command line, a manual and a quick-reference card.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The layout reproduces metrics of these faces.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-urw-base35")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
