# bench: reader
