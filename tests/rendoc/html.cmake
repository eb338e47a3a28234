# tests of rendoc: html
