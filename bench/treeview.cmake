# bench: treeview
