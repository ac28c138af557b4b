# The window-free timer class and its table of running timers.
if(WIN32)
  add_library(qm_timer STATIC ${CMAKE_CURRENT_LIST_DIR}/CTimer.cpp ${CMAKE_CURRENT_LIST_DIR}/MTimer.cpp)
  target_include_directories(qm_timer PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(qm_timer PUBLIC qm_support_error user32)
endif()
