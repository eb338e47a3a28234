# rendoc: view sources
target_sources(rendoc PRIVATE
  drendocview.cpp
  drendocview.h
  dviewblock.h
  dviewcontext.cpp
  dviewcontext.h
  dviewfenwick.cpp
  dviewfenwick.h
  dviewframe.cpp
  dviewframe.h
  daxisticks.cpp
  daxisticks.h
  dviewgraphic.cpp
  dviewgraphic.h
  dviewlaidblock.cpp
  dviewlaidblock.h
  dviewlayout.cpp
  dviewlayout.h
  dviewspangrid.cpp
  dviewspangrid.h
  dviewpos.h
  dviewprinter.cpp
  dviewprinter.h
  dviewtable.h
  dviewtextbuilder.cpp
  dviewtextbuilder.h
)
