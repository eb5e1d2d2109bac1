rux_fuzz(tessly_datasheet SOURCES ${CMAKE_SOURCE_DIR}/src/generator/Datasheet.cpp)
