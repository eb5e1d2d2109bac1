# Lays out Res/ beside the executable: the committed data files, the two fonts from
# Debian's font packages, and the pictures drawn by tools/make_res.
set(RUX_RES_OUT ${CMAKE_BINARY_DIR}/Res)
set(RUX_FONT_UI /usr/share/fonts/truetype/open-sans/OpenSans-Regular.ttf)
set(RUX_FONT_CODE /usr/share/fonts/truetype/firacode/FiraCode-Regular.ttf)

add_executable(make_res tools/make_res/make_res.cpp)
target_link_libraries(make_res PRIVATE sfml-graphics sfml-system)

set(RUX_PICTURES Arrows.png Rotate.png Gizmo.png FileIcons.png PropIcon.png RUX.png Setup.png)
list(TRANSFORM RUX_PICTURES PREPEND ${RUX_RES_OUT}/ OUTPUT_VARIABLE RUX_PICTURE_FILES)
add_custom_command(OUTPUT ${RUX_PICTURE_FILES}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${RUX_RES_OUT}
  COMMAND $<TARGET_FILE:make_res> ${RUX_RES_OUT}
  DEPENDS make_res
  COMMENT "Drawing the resource pictures")

add_custom_target(resources ALL
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/Res ${RUX_RES_OUT}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${RUX_FONT_UI} ${RUX_RES_OUT}/Montserrat.ttf
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${RUX_FONT_CODE} ${RUX_RES_OUT}/FiraCode.ttf
  DEPENDS ${RUX_PICTURE_FILES}
  COMMENT "Laying out Res/")
