# rendoc: view sources
