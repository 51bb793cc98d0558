# The GUI's Korean and English translations: translations/zorkvm_<code>.ts, kept up to date with
# `cmake --build --preset release --target update_translations` (lupdate over the GUI's sources
# and forms), compiled by lrelease into build/translations/zorkvm_<code>.qm on every GUI build.
# The program reads them from there when it runs from the build tree, else from the installed
# share/zorkvm/translations (cmake/Install.cmake).
find_package(Qt6 REQUIRED COMPONENTS LinguistTools)

set(ZOR_TRANSLATIONS_DIR "${PROJECT_BINARY_DIR}/translations")
set(ZOR_TS_FILES "${PROJECT_SOURCE_DIR}/translations/zorkvm_ko.ts"
                 "${PROJECT_SOURCE_DIR}/translations/zorkvm_en.ts")
set_source_files_properties(${ZOR_TS_FILES} PROPERTIES OUTPUT_LOCATION "${ZOR_TRANSLATIONS_DIR}")

# The GUI's sources, headers and forms, and the presentation layer, whose Settings rows mark their
# texts in Qt-free code that the GUI library does not compile.
file(GLOB_RECURSE texts_in CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/src/gui/*.cpp" "${PROJECT_SOURCE_DIR}/src/gui/*.h"
     "${PROJECT_SOURCE_DIR}/src/gui/*.ui" "${PROJECT_SOURCE_DIR}/src/presentation/*.cpp")
qt_add_lupdate(zorkvm_gui TS_FILES ${ZOR_TS_FILES} SOURCES ${texts_in}
               INCLUDE_DIRECTORIES "${PROJECT_SOURCE_DIR}/src"  # tr()'s context is the class with its namespace
               OPTIONS -no-obsolete -locations none)
qt_add_lrelease(zorkvm_gui TS_FILES ${ZOR_TS_FILES} OPTIONS -silent)
target_compile_definitions(zorkvm_gui PRIVATE ZORKVM_BUILD_TRANSLATIONS_DIR="${ZOR_TRANSLATIONS_DIR}")
