# The INI file model, its ANSI text and the plain file helpers; no window, so it builds natively.
add_library(qm_ini STATIC
  ${CMAKE_CURRENT_LIST_DIR}/clsINI.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AnsiText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PlainFiles.cpp)
target_include_directories(qm_ini PUBLIC ${PROJECT_SOURCE_DIR})
