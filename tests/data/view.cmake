# tests of kr_data: view
