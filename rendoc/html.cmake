# rendoc: html sources
