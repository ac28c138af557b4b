# The numbered error of the support classes; no window, so it builds natively.
add_library(qm_support_error STATIC ${CMAKE_CURRENT_LIST_DIR}/SupportError.cpp)
target_include_directories(qm_support_error PUBLIC ${PROJECT_SOURCE_DIR})
