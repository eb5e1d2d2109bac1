# rux-level: the level tool for build pipelines, built beside rux and linking the level library only.
add_executable(rux-level tools/rux-level/main.cpp tools/rux-level/Commands.cpp)
target_link_libraries(rux-level PRIVATE ruxlevel)
set_target_properties(rux-level PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
