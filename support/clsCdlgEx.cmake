# The common dialogs (open, save, colour, font, print, help) and the shell's own dialogs.
if(WIN32)
  add_library(qm_cdlg STATIC ${CMAKE_CURRENT_LIST_DIR}/clsCdlgEx.cpp ${CMAKE_CURRENT_LIST_DIR}/clsCdlgExPrinter.cpp)
  target_include_directories(qm_cdlg PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(qm_cdlg PUBLIC qm_ini qm_support_error qm_forms comdlg32 shell32 ole32)
endif()
