rux_fuzz(tyv_video SOURCES ${CMAKE_SOURCE_DIR}/src/generator/FrameCodec.cpp)
