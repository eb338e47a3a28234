# rendoc: AML reader and handler
target_sources(rendoc PRIVATE
  damlguard.cpp
  damlhandler.cpp
  damlreader.cpp
  damlrunlimiter.cpp
  damlrunlimiter.h
  dregularfile.cpp
  dregularfile.h
  damlguard.h
  damlhandler.h
  damlreader.h
)
