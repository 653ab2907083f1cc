# h1
# h2
# h3
# h4
# h5
# h6
list l
name=L
items = k
key k
name=K
order = keys, disable
arg=-k
next = disable
kmarg = disable
kfile = disable
def l
