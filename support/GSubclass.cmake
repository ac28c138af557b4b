# The window-subclassing engine and its client interface.
if(WIN32)
  add_library(qm_subclass STATIC ${CMAKE_CURRENT_LIST_DIR}/GSubclass.cpp)
  target_include_directories(qm_subclass PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(qm_subclass PUBLIC qm_support_error user32)
endif()
