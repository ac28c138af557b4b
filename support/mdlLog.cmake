# The program's text log; every layer may write to it, so it needs nothing but the file helpers.
add_library(qm_log STATIC ${CMAKE_CURRENT_LIST_DIR}/mdlLog.cpp)
target_include_directories(qm_log PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(qm_log PUBLIC qm_files)
