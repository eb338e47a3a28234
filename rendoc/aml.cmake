# rendoc: aml sources
