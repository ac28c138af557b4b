# The memory device context and the tiled backdrop behind a multi-line edit.
if(WIN32)
  add_library(qm_textbox_backdrop STATIC ${CMAKE_CURRENT_LIST_DIR}/cMemDC.cpp ${CMAKE_CURRENT_LIST_DIR}/cTextBoxBackground.cpp)
  target_include_directories(qm_textbox_backdrop PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(qm_textbox_backdrop PUBLIC qm_subclass qm_forms qm_support_error user32 gdi32)
endif()
