# tests of rendoc: aml
