# The registry key class (Windows only).
if(WIN32)
  add_library(qm_regkey STATIC ${CMAKE_CURRENT_LIST_DIR}/RegKey.cpp)
  target_include_directories(qm_regkey PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(qm_regkey PUBLIC qm_support_error qm_log advapi32)
endif()
