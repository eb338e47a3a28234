# rendoc/view: view widget: block layout, tables, graphics, printing
target_sources(rendoc PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/daxisticks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/daxisticks.h
  ${CMAKE_CURRENT_LIST_DIR}/drendocview.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drendocview.h
  ${CMAKE_CURRENT_LIST_DIR}/dviewblock.h
  ${CMAKE_CURRENT_LIST_DIR}/dviewcontext.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dviewcontext.h
  ${CMAKE_CURRENT_LIST_DIR}/dviewfenwick.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dviewfenwick.h
  ${CMAKE_CURRENT_LIST_DIR}/dviewframe.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dviewframe.h
  ${CMAKE_CURRENT_LIST_DIR}/dviewgraphic.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dviewgraphic.h
  ${CMAKE_CURRENT_LIST_DIR}/dviewlaidblock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dviewlaidblock.h
  ${CMAKE_CURRENT_LIST_DIR}/dviewlayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dviewlayout.h
  ${CMAKE_CURRENT_LIST_DIR}/dviewpos.h
  ${CMAKE_CURRENT_LIST_DIR}/dviewprinter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dviewprinter.h
  ${CMAKE_CURRENT_LIST_DIR}/dviewspangrid.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dviewspangrid.h
  ${CMAKE_CURRENT_LIST_DIR}/dviewtable.h
  ${CMAKE_CURRENT_LIST_DIR}/dviewtextbuilder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dviewtextbuilder.h
)
