# tests of rendoc: model
