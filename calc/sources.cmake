# The calculator's window and its additions, named once for the programs'
# build and for the fuzz build.
set(PC_CALC_SOURCES accessibility.cpp additions.cpp display_clipboard.cpp display_text.cpp
                    entry.cpp form1.cpp form1_layout.cpp history.cpp keyboard.cpp keys.cpp memory.cpp
                    menu_bar.cpp percent.cpp status.cpp)
list(TRANSFORM PC_CALC_SOURCES PREPEND "${CMAKE_CURRENT_LIST_DIR}/")
