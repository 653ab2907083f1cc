# h1
# h2
# h3
# h4
# h5
# h6
list l
name=L

key k
name=K
