# The program's translations. Included from the top-level CMakeLists.txt
# after the tests, whose translation check it points at lupdate.
#
# Each translations/corvanta_<language>.ts is compiled into a .qm file that is
# built into the program under :/translations; src/app/Translations.cpp picks
# one by the desktop's language. After changing a text in the sources,
#   cmake --build build --target update_translations
# brings every .ts file up to date: new texts come in unfinished, and texts
# no longer used are dropped.

find_package(Qt6 REQUIRED COMPONENTS LinguistTools)

set(CORVANTA_TS_FILES
  ${CMAKE_CURRENT_LIST_DIR}/corvanta_de.ts
  ${CMAKE_CURRENT_LIST_DIR}/corvanta_es.ts
  ${CMAKE_CURRENT_LIST_DIR}/corvanta_fr.ts
  ${CMAKE_CURRENT_LIST_DIR}/corvanta_it.ts
  ${CMAKE_CURRENT_LIST_DIR}/corvanta_pt_BR.ts)

# The texts come from the sources of every library of the window; the .qm
# files are built into the app library, which picks one. No source
# locations in the .ts files: a line moved in the sources then leaves them
# as they are.
qt_add_translations(corvanta_app
  TS_FILES ${CORVANTA_TS_FILES}
  SOURCES ${CORVANTA_WINDOW_SOURCES}
  RESOURCE_PREFIX /translations
  LUPDATE_OPTIONS -locations none -no-obsolete)
