# tests of kr_data: reader
