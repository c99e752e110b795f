# The program's own icons, its desktop entry, the demo video and the install
# layout. Included from the top-level CMakeLists.txt.

set(CORVANTA_RESOURCES_DIR ${CMAKE_CURRENT_LIST_DIR})

# Icons ship inside the program, so the bars look alike on every desktop.
# corvanta.qrc and the PNGs it lists are drawn by tools/make_icons.cpp and
# committed; `cmake --build <dir> --target icons` draws them again.
target_sources(corvanta_commands PRIVATE ${CORVANTA_RESOURCES_DIR}/corvanta.qrc)

add_executable(corvanta_make_icons EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/tools/make_icons.cpp)
target_link_libraries(corvanta_make_icons PRIVATE Qt6::Gui)
add_custom_target(icons
  COMMAND corvanta_make_icons ${CORVANTA_RESOURCES_DIR}
  COMMENT "Drawing the icons into ${CORVANTA_RESOURCES_DIR}"
  VERBATIM)

if(WIN32)
  target_sources(corvanta PRIVATE ${CORVANTA_RESOURCES_DIR}/corvanta.rc)
endif()

# The demo video sits beside the executable, in the build as when installed.
file(GLOB CORVANTA_VIDEO_FILES CONFIGURE_DEPENDS ${CORVANTA_RESOURCES_DIR}/Video/*)
set(CORVANTA_VIDEO_COPIES)
foreach(video ${CORVANTA_VIDEO_FILES})
  get_filename_component(video_name ${video} NAME)
  set(copy ${CMAKE_BINARY_DIR}/app/Video/${video_name})
  add_custom_command(OUTPUT ${copy}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${video} ${copy}
    DEPENDS ${video} VERBATIM)
  list(APPEND CORVANTA_VIDEO_COPIES ${copy})
endforeach()
add_custom_target(corvanta_video ALL DEPENDS ${CORVANTA_VIDEO_COPIES})
add_dependencies(corvanta corvanta_video)

# Install layout: the executable with Samples/ and Video/ beside it in
# ${CORVANTA_INSTALL_APPDIR}, where it finds them at run time.
install(TARGETS corvanta ${CORVANTA_HELPERS} RUNTIME DESTINATION ${CORVANTA_INSTALL_APPDIR})
if(CORVANTA_VIDEO_FILES)
  install(FILES ${CORVANTA_VIDEO_FILES} DESTINATION ${CORVANTA_INSTALL_APPDIR}/Video)
endif()

if(UNIX AND NOT APPLE)
  # A launcher on PATH: a relative link, so the installed tree can move.
  # Qt resolves the link when it looks for the application folder.
  file(RELATIVE_PATH CORVANTA_LAUNCHER_TARGET
    /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${CORVANTA_INSTALL_APPDIR}/corvanta)
  install(CODE "
    set(launcher \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/corvanta\")
    message(STATUS \"Installing: \${launcher} -> ${CORVANTA_LAUNCHER_TARGET}\")
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(REMOVE \"\${launcher}\")
    file(CREATE_LINK \"${CORVANTA_LAUNCHER_TARGET}\" \"\${launcher}\" SYMBOLIC)
  ")

  # The desktop entry offers Corvanta for PDF files; its name, its icon and
  # the running program's desktop file name are the same id.
  configure_file(${CORVANTA_RESOURCES_DIR}/corvanta.desktop.in
    ${CMAKE_BINARY_DIR}/${CORVANTA_APP_ID}.desktop @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/${CORVANTA_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
  # The software centre's entry. Its addresses come from the one place the
  # program keeps them.
  file(STRINGS ${CMAKE_SOURCE_DIR}/src/core/Site.h CORVANTA_SITE_LINES REGEX "constexpr char k[A-Za-z]+\\[\\] = \"")
  foreach(line ${CORVANTA_SITE_LINES})
    string(REGEX MATCH "k([A-Za-z]+)\\[\\] = \"([^\"]*)\"" matched "${line}")
    set(CORVANTA_SITE_${CMAKE_MATCH_1} "${CMAKE_MATCH_2}")
  endforeach()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/core/Site.h)
  configure_file(${CORVANTA_RESOURCES_DIR}/corvanta.metainfo.xml.in
    ${CMAKE_BINARY_DIR}/${CORVANTA_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/${CORVANTA_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)

  foreach(size 16 22 24 32 48 64 128 256)
    install(FILES ${CORVANTA_RESOURCES_DIR}/icons/app/${size}.png
      DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps
      RENAME ${CORVANTA_APP_ID}.png)
  endforeach()
endif()
