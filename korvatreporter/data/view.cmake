# kr_data: view sources
