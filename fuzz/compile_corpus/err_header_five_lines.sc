; a comment before the header
# h1
# h2

# h3
# h4
# h5
list l
name=L
items = k
