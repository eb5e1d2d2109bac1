rux_fuzz(json SOURCES ${CMAKE_SOURCE_DIR}/src/env/JSON.cpp)
