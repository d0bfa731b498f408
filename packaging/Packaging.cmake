# What a program or tool installs besides its binary: a manual page made from
# its --help, and for a program its desktop entry, icon and AppStream
# metainfo. Then the suite's documents and the Debian package.

set(MENULETS_RELEASE_DATE 2026-12-09)
# Where the project's pages are; the software centres take the screenshots
# from ${MENULETS_HOMEPAGE}/pictures/ (the README's docs/pictures/).
set(MENULETS_HOMEPAGE "https://menulets.dev" CACHE STRING "The project's home page")
set(MENULETS_MAINTAINER "menulets maintainers <maintainers@users.noreply.c-seed-926620a0.example>"
    CACHE STRING "The Debian package's maintainer")

find_package(Python3 COMPONENTS Interpreter QUIET)
find_program(MENULETS_GZIP gzip)
if(Python3_Interpreter_FOUND AND MENULETS_GZIP)
  set(MENULETS_MANUALS ON)
else()
  message(STATUS "No python3 or gzip: the manual pages are not made")
endif()

# A gzip file as Debian wants it: best compression, no name or time inside.
function(menulets_gzip_command input output)
  add_custom_command(OUTPUT ${output} COMMAND ${MENULETS_GZIP} -9nc ${input} > ${output} DEPENDS ${input} VERBATIM)
endfunction()

# The manual page of an installed executable, written from what its --help
# prints; the arguments after SUMMARY go to packaging/manual_page.py.
function(menulets_add_manual_page target summary)
  if(NOT MENULETS_MANUALS)
    return()
  endif()
  set(page ${PROJECT_BINARY_DIR}/man/${target}.1)
  # The help names the defaults folder; a neutral home keeps the page free of
  # the build machine's.
  add_custom_command(OUTPUT ${page}
    COMMAND ${CMAKE_COMMAND} -E env --unset=XDG_CONFIG_HOME --unset=XDG_DATA_HOME HOME=~
            ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/packaging/manual_page.py
            --name ${target} --summary ${summary} --version ${PROJECT_VERSION} --date ${MENULETS_RELEASE_DATE}
            --output ${page} ${ARGN} -- $<TARGET_FILE:${target}> --help
    DEPENDS ${target} ${PROJECT_SOURCE_DIR}/packaging/manual_page.py VERBATIM)
  menulets_gzip_command(${page} ${page}.gz)
  add_custom_target(${target}_manual ALL DEPENDS ${page}.gz)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()

# Installs an executable. A stripping install (the package's) also drops the
# compiler's identification, which strip keeps.
function(menulets_install_executable target)
  install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  if(CMAKE_OBJCOPY)
    install(CODE "if(CMAKE_INSTALL_DO_STRIP)
      execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
                      \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${target}\")
    endif()")
  endif()
endfunction()

# Text for XML: the characters that markup would read.
function(menulets_xml_escape out text)
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE ">" "&gt;" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Each program's tile colour: dark enough that its white symbol stands out,
# told apart from the others in a launcher.
set(MENULETS_TILE_Blinkbreak "#0e6f80")
set(MENULETS_TILE_Carryover "#2a5db0")
set(MENULETS_TILE_Durovevadi "#4a5563")
set(MENULETS_TILE_Folderdock "#6b3fa0")
set(MENULETS_TILE_Hourtrail "#b5530e")
set(MENULETS_TILE_Pricetray "#1f7a4d")
set(MENULETS_TILE_Talkclock "#a33a2e")
set(MENULETS_TILE_Urlstash "#8a2f6b")
set(MENULETS_TILE_Zivirodevevo "#3d6b1f")

# An application icon from a tray symbol: the symbol in white on a rounded
# tile of the program's colour, so that launchers show it on dark and light
# backgrounds alike (the symbol alone is black).
function(menulets_application_icon name symbol output)
  file(READ ${symbol} svg)
  string(REGEX MATCH "viewBox=\"0 0 ([0-9]+) ([0-9]+)\"" view_box "${svg}")
  set(width ${CMAKE_MATCH_1})
  set(height ${CMAKE_MATCH_2})
  string(REGEX REPLACE "^<svg[^>]*>(.*)</svg>.*$" "\\1" content "${svg}")
  string(REPLACE "\"#000\"" "\"#fff\"" content "${content}")
  set(tile "${MENULETS_TILE_${name}}")
  if(NOT tile)
    set(tile "#4a5563")
  endif()
  # The symbol's longer side 34 of the tile's 64, centred; in thousandths,
  # since CMake counts in whole numbers.
  if(width GREATER height)
    math(EXPR scale "34000 / ${width}")
  else()
    math(EXPR scale "34000 / ${height}")
  endif()
  math(EXPR left "32000 - ${width} * ${scale} / 2")
  math(EXPR top "32000 - ${height} * ${scale} / 2")
  set(numbers "")
  foreach(thousandths IN ITEMS ${left} ${top} ${scale})
    math(EXPR whole "${thousandths} / 1000")
    math(EXPR fraction "${thousandths} % 1000 + 1000")
    string(SUBSTRING ${fraction} 1 3 fraction)
    list(APPEND numbers "${whole}.${fraction}")
  endforeach()
  list(GET numbers 0 left)
  list(GET numbers 1 top)
  list(GET numbers 2 scale)
  file(CONFIGURE OUTPUT ${output} CONTENT
    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"64\" height=\"64\" viewBox=\"0 0 64 64\"><rect x=\"4\" y=\"4\" width=\"56\" height=\"56\" rx=\"13\" fill=\"${tile}\"/><g fill=\"#fff\" transform=\"translate(${left} ${top}) scale(${scale})\">${content}</g></svg>\n" @ONLY)
endfunction()

# A program's desktop entry, icon, manual page and AppStream metainfo:
#   menulets_package_program(Name SUMMARY "one line" ICON symbol-or-theme-icon [SCHEME scheme]
#                            KEYWORDS word ... DESCRIPTION "paragraph" ... SCREENSHOTS "file|caption" ...)
# ICON names one of our symbols in platform/qt/icons, else an icon of the theme.
# SCREENSHOTS are pictures in docs/pictures, the first the one shown first.
# Being list items, the texts cannot hold a semicolon.
function(menulets_package_program name)
  cmake_parse_arguments(PARSE_ARGV 1 program "" "SUMMARY;ICON;SCHEME" "KEYWORDS;DESCRIPTION;SCREENSHOTS")
  menulets_install_executable(${name})
  set(id dev.menulets.${name})
  set(symbol ${PROJECT_SOURCE_DIR}/platform/qt/icons/${program_ICON}.svg)
  if(EXISTS ${symbol})
    set(MENULETS_ICON_NAME ${id})
    menulets_application_icon(${name} ${symbol} ${PROJECT_BINARY_DIR}/share/icons/hicolor/scalable/apps/${id}.svg)
    install(FILES ${PROJECT_BINARY_DIR}/share/icons/hicolor/scalable/apps/${id}.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  else()
    set(MENULETS_ICON_NAME ${program_ICON})
  endif()
  set(MENULETS_NAME ${name})
  set(MENULETS_SUMMARY ${program_SUMMARY})
  list(JOIN program_KEYWORDS ";" MENULETS_KEYWORDS)
  string(APPEND MENULETS_KEYWORDS ";")
  set(MENULETS_MIME_LINE "")
  set(MENULETS_PROVIDED_TYPES "")
  if(program_SCHEME)
    set(MENULETS_MIME_LINE "MimeType=x-scheme-handler/${program_SCHEME};")
    set(MENULETS_PROVIDED_TYPES "\n    <mediatype>x-scheme-handler/${program_SCHEME}</mediatype>")
  endif()
  configure_file(${PROJECT_SOURCE_DIR}/packaging/program.desktop.in ${PROJECT_BINARY_DIR}/applications/${id}.desktop
                 @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/applications/${id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

  set(MENULETS_DESCRIPTION "")
  foreach(paragraph IN LISTS program_DESCRIPTION)
    menulets_xml_escape(paragraph "${paragraph}")
    string(APPEND MENULETS_DESCRIPTION "\n    <p>${paragraph}</p>")
  endforeach()
  set(MENULETS_SCREENSHOTS "")
  set(kind " type=\"default\"")
  foreach(screenshot IN LISTS program_SCREENSHOTS)
    string(REPLACE "|" ";" parts "${screenshot}")
    list(GET parts 0 picture)
    list(GET parts 1 caption)
    if(NOT EXISTS ${PROJECT_SOURCE_DIR}/docs/pictures/${picture})
      message(FATAL_ERROR "${name}: no picture docs/pictures/${picture}")
    endif()
    menulets_xml_escape(caption "${caption}")
    string(APPEND MENULETS_SCREENSHOTS "
    <screenshot${kind}>
      <caption>${caption}</caption>
      <image>${MENULETS_HOMEPAGE}/pictures/${picture}</image>
    </screenshot>")
    set(kind "")
  endforeach()
  menulets_xml_escape(MENULETS_SUMMARY_XML "${program_SUMMARY}")
  configure_file(${PROJECT_SOURCE_DIR}/packaging/program.metainfo.xml.in
                 ${PROJECT_BINARY_DIR}/metainfo/${id}.metainfo.xml @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/metainfo/${id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

  set(paragraphs "")
  foreach(paragraph IN LISTS program_DESCRIPTION)
    list(APPEND paragraphs --paragraph "${paragraph}")
  endforeach()
  menulets_add_manual_page(${name} ${program_SUMMARY} ${paragraphs} --see-also menulets-defaults
    --file "\${XDG_CONFIG_HOME:-~/.config}/menulets/${id}.plist" "the program's defaults (see menulets-defaults(1))"
    --file "\${XDG_DATA_HOME:-~/.local/share}/${id}/" "the program's Application Support folder")
endfunction()

# The suite's documents, where Debian keeps them: the copyright in its
# machine-readable format, the changelog (gzipped, as for a native package)
# and the notes for the package checker.
function(menulets_install_documents)
  set(doc ${CMAKE_INSTALL_DATADIR}/doc/menulets)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${doc})
  set(changelog ${PROJECT_BINARY_DIR}/changelog.gz)
  menulets_gzip_command(${PROJECT_SOURCE_DIR}/packaging/changelog ${changelog})
  add_custom_target(menulets_changelog ALL DEPENDS ${changelog})
  install(FILES ${changelog} DESTINATION ${doc})
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
          RENAME menulets)
endfunction()

# The tray symbols as themed symbolic icons, which Plasma's panel draws in
# its own text colour (the ColorScheme-Text class) when a tray icon names one.
# Written into the build tree's share/ too, where the desktop tests find them.
function(menulets_install_symbolic_icons)
  set(status ${PROJECT_BINARY_DIR}/share/icons/hicolor/scalable/status)
  file(GLOB symbols CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/platform/qt/icons/*.svg)
  foreach(symbol IN LISTS symbols)
    file(READ ${symbol} svg)
    # The bundled symbols are drawn in black: that becomes the scheme's colour.
    string(REPLACE "\"#000\"" "\"currentColor\"" svg "${svg}")
    string(REGEX REPLACE "^(<svg[^>]*>)(.*)</svg>"
      "\\1<defs><style id=\"current-color-scheme\" type=\"text/css\">.ColorScheme-Text { color:#232629; }</style></defs><g class=\"ColorScheme-Text\" fill=\"currentColor\">\\2</g></svg>"
      svg "${svg}")
    get_filename_component(stem ${symbol} NAME_WLE)
    string(REPLACE "." "-" stem ${stem})
    file(CONFIGURE OUTPUT ${status}/menulets-${stem}-symbolic.svg CONTENT "${svg}" @ONLY)
    install(FILES ${status}/menulets-${stem}-symbolic.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/status)
  endforeach()
endfunction()

# The GNOME Shell extension that tells the programs which window is in front
# on GNOME's Wayland sessions, where nothing else does, in the two forms
# GNOME loads: a module for 45 and later, a script for 40 to 44, under uuids
# of their own. Made in the build tree's share/ (where the desktop tests find
# them) and installed system-wide; a person enables the one of their GNOME.
function(menulets_install_shell_extension)
  set(source ${PROJECT_SOURCE_DIR}/platform/qt/gnome/front-window)
  foreach(form modules scripts)
    if(form STREQUAL modules)
      set(uuid front-window@menulets.dev)
      set(VARIANT_NOTE "For GNOME 45 and later.")
      set(IMPORTS "import Gio from 'gi://Gio';\nimport GLib from 'gi://GLib';\nimport {Extension} from 'resource:///org/gnome/shell/extensions/extension.js';")
      set(CLASS "export default class FrontWindowExtension extends Extension")
      set(ENDING "")
    else()
      set(uuid front-window-legacy@menulets.dev)
      set(VARIANT_NOTE "For GNOME 40 to 44.")
      set(IMPORTS "const {Gio, GLib} = imports.gi;")
      set(CLASS "class FrontWindowExtension")
      set(ENDING "\nfunction init() {\n    return new FrontWindowExtension();\n}")
    endif()
    string(REPLACE "\\n" "\n" IMPORTS "${IMPORTS}")
    string(REPLACE "\\n" "\n" ENDING "${ENDING}")
    set(folder ${PROJECT_BINARY_DIR}/share/gnome-shell/extensions/${uuid})
    configure_file(${source}/extension.js.in ${folder}/extension.js @ONLY)
    configure_file(${source}/${form}.metadata.json ${folder}/metadata.json COPYONLY)
    install(FILES ${folder}/metadata.json ${folder}/extension.js
            DESTINATION ${CMAKE_INSTALL_DATADIR}/gnome-shell/extensions/${uuid})
  endforeach()
endfunction()

# After an install into a prefix of one's own (not a package's staging folder,
# where dpkg's triggers do it), the desktop's caches learn the new entries at
# once: Blinkbreak's URL scheme is routed, the icons are found.
function(menulets_refresh_desktop_caches)
  find_program(MENULETS_UPDATE_DESKTOP_DATABASE update-desktop-database)
  find_program(MENULETS_UPDATE_ICON_CACHE gtk-update-icon-cache)
  install(CODE "
    if(\"\$ENV{DESTDIR}\" STREQUAL \"\")
      set(share \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}\")
      if(EXISTS \"${MENULETS_UPDATE_DESKTOP_DATABASE}\")
        execute_process(COMMAND \"${MENULETS_UPDATE_DESKTOP_DATABASE}\" -q \"\${share}/applications\")
      else()
        message(STATUS \"update-desktop-database not found: run it on \${share}/applications\")
      endif()
      if(EXISTS \"${MENULETS_UPDATE_ICON_CACHE}\")
        execute_process(COMMAND \"${MENULETS_UPDATE_ICON_CACHE}\" -q -f -t \"\${share}/icons/hicolor\")
      else()
        message(STATUS \"gtk-update-icon-cache not found: run it on \${share}/icons/hicolor\")
      endif()
    endif()")
endfunction()

# The Debian package of the suite: `cpack -G DEB --config build/CPackConfig.cmake`.
# The libraries the programs link come from dpkg-shlibdeps. Depends names what
# they load or run besides: Qt's SVG plugin (the bundled icons), the URL
# opener, and gio and gsettings (Folderdock's launcher, the dark-mode setting).
# Recommends: the sound theme that Talkclock and Blinkbreak play, the colour
# emoji font that draws the titles of the programs whose symbol is an emoji,
# and the platform theme that gives Qt's windows GNOME's look.
function(menulets_configure_package)
  set(CPACK_PACKAGE_NAME menulets)
  set(CPACK_PACKAGE_VENDOR "menulets")
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small utilities, each with one icon in the tray")
  file(READ ${PROJECT_SOURCE_DIR}/packaging/package-description.txt description)
  string(STRIP "${description}" CPACK_PACKAGE_DESCRIPTION)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_STRIP_FILES ON)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${MENULETS_MAINTAINER}")
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${MENULETS_HOMEPAGE}")
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, xdg-utils, libglib2.0-bin")
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "sound-theme-freedesktop, fonts-noto-color-emoji, qt6-gtk-platformtheme")
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  include(CPack)
endfunction()
