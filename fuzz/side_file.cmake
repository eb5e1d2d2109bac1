rux_fuzz(side_file SOURCES ${CMAKE_SOURCE_DIR}/src/editor/SideFile.cpp LIBS ruxlevel)
