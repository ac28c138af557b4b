# The key and wheel hook of the main window, a client of the subclassing engine.
if(WIN32)
  add_library(qm_mfsc STATIC ${CMAKE_CURRENT_LIST_DIR}/clsMFSC.cpp)
  target_include_directories(qm_mfsc PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(qm_mfsc PUBLIC qm_subclass qm_forms)
endif()
