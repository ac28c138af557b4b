# The file questions and moves every layer stands on, and the writes, moves and removals that never
# reach through a link (Win32 only); no window, so they build natively too.
add_library(qm_files STATIC
  ${CMAKE_CURRENT_LIST_DIR}/PlainFiles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LinkSafeFiles.cpp)
target_include_directories(qm_files PUBLIC ${PROJECT_SOURCE_DIR})
