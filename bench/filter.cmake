# bench: filter
