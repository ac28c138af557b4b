# The tile arithmetic (no windows), and the tiled backdrop behind an edit with its off-screen buffer.
add_library(qm_tiles STATIC ${CMAKE_CURRENT_LIST_DIR}/TilePieces.cpp)
target_include_directories(qm_tiles PUBLIC ${PROJECT_SOURCE_DIR})
if(WIN32)
  add_library(qm_textback STATIC ${CMAKE_CURRENT_LIST_DIR}/cMemDC.cpp ${CMAKE_CURRENT_LIST_DIR}/cTextBoxBackground.cpp)
  target_include_directories(qm_textback PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(qm_textback PUBLIC qm_tiles qm_subclass qm_forms gdi32)
endif()
