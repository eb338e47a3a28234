# kr_data: reader sources
