# Whole-file UTF-16LE reads and writes through one Win32 file handle.
if(WIN32)
  add_library(qm_clsfile STATIC ${CMAKE_CURRENT_LIST_DIR}/clsFile.cpp)
  target_include_directories(qm_clsfile PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(qm_clsfile PUBLIC qm_ini)
endif()
