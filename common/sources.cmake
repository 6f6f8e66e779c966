# The shared runtime's sources, named once for the programs' build and for the
# fuzz build, which compiles them with clang.
set(PC_NUMBERS_SOURCES numbers.cpp runtime_error.cpp)
set(PC_WINDOW_SOURCES application.cpp aside.cpp background.cpp clipboard.cpp colors.cpp controls.cpp dialogs.cpp form.cpp help.cpp help_menu.cpp i18n.cpp menu.cpp native_path.cpp
                      picture_box.cpp raster.cpp tiles.cpp)
list(TRANSFORM PC_NUMBERS_SOURCES PREPEND "${CMAKE_CURRENT_LIST_DIR}/")
list(TRANSFORM PC_WINDOW_SOURCES PREPEND "${CMAKE_CURRENT_LIST_DIR}/")
