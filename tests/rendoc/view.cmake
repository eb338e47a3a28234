# tests of rendoc: view
