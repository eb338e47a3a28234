# rendoc/aml: AML reader: expat source, SAX handler, guards, run limiter, regular-file rule
target_sources(rendoc PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/damlattributes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/damlattributes.h
  ${CMAKE_CURRENT_LIST_DIR}/damleventqueue.cpp
  ${CMAKE_CURRENT_LIST_DIR}/damleventqueue.h
  ${CMAKE_CURRENT_LIST_DIR}/damlexpatsource.cpp
  ${CMAKE_CURRENT_LIST_DIR}/damlexpatsource.h
  ${CMAKE_CURRENT_LIST_DIR}/damlguard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/damlguard.h
  ${CMAKE_CURRENT_LIST_DIR}/damlhandler.cpp
  ${CMAKE_CURRENT_LIST_DIR}/damlhandler.h
  ${CMAKE_CURRENT_LIST_DIR}/damlitemmaker.cpp
  ${CMAKE_CURRENT_LIST_DIR}/damlitemmaker.h
  ${CMAKE_CURRENT_LIST_DIR}/damllocator.h
  ${CMAKE_CURRENT_LIST_DIR}/damlparseerror.h
  ${CMAKE_CURRENT_LIST_DIR}/damlreader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/damlreader.h
  ${CMAKE_CURRENT_LIST_DIR}/damlrunlimiter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/damlrunlimiter.h
  ${CMAKE_CURRENT_LIST_DIR}/damlstylesheet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/damlstylesheet.h
  ${CMAKE_CURRENT_LIST_DIR}/damlvaluereader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/damlvaluereader.h
  ${CMAKE_CURRENT_LIST_DIR}/dregularfile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dregularfile.h
)
