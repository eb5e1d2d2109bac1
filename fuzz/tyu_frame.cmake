rux_fuzz(tyu_frame SOURCES ${CMAKE_SOURCE_DIR}/src/generator/FrameCodec.cpp)
