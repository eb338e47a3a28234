# tests of kr_data: tree
