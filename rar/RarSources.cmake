# Source lists shared by the project's trees and the packer's host build.
set(QM_RAR_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Crc32.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MemorySource.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileSource.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NameDecoding.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SafePath.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VolumeName.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Rar4Block.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Rar5Block.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EntryDecoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OutputFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ArchiveReader.cpp)
set(QM_RAR_WRITER_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Crc32.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NameDecoding.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RarWriter.cpp)
