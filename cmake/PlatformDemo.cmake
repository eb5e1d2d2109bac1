# A window with an ImGui button and text field for the platform layer's end-to-end test
# (tests/e2e/platform_input.sh), built to tools/platform_demo/ in the build folder.
add_executable(platform_demo tools/platform_demo/main.cpp)
target_link_libraries(platform_demo PRIVATE ruxeditor)
target_include_directories(platform_demo PRIVATE ${CMAKE_SOURCE_DIR}/tests/platform)
set_target_properties(platform_demo PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools/platform_demo)
