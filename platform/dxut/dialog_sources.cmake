# The dialog and its controls, part of orvanta_platform.
target_sources(orvanta_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialog_input.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialog_render.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialog_fonts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialog_painter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls_scroll.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls_combo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls_edit.cpp
)
