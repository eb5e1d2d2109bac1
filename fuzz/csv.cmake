rux_fuzz(csv SOURCES ${CMAKE_SOURCE_DIR}/src/env/LL.cpp)
