# kr_data: tree sources
