# rendoc: AML reader and handler
target_sources(rendoc PRIVATE
  damlguard.cpp
  damlhandler.cpp
  damlreader.cpp
  damlguard.h
  damlhandler.h
  damlreader.h
)
