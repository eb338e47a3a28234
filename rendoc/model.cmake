# rendoc: model sources
target_sources(rendoc PRIVATE)
