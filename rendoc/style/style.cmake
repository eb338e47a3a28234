# rendoc/style: styles: fonts, colours and the style of an item
target_sources(rendoc PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/dcolor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dcolor.h
  ${CMAKE_CURRENT_LIST_DIR}/dfont.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dfont.h
  ${CMAKE_CURRENT_LIST_DIR}/dstyle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dstyle.h
)
