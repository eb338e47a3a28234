# bench: view
