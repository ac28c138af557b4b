# The INI file model and its ANSI text; no window, so it builds natively.
add_library(qm_ini STATIC
  ${CMAKE_CURRENT_LIST_DIR}/clsINI.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AnsiText.cpp)
target_include_directories(qm_ini PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(qm_ini PUBLIC qm_files)
