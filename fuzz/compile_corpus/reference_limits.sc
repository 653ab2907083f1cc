# h1
# h2
# h3
# h4
# h5
# h6
list l
name=L
items = k,k,k,k,k,k,k,k,k,k,k,k,k,k,k,k,k,k,k,k,kk
key k
name=K
order = keys, path, disable
arg=-k
next = disable
kmarg = disable
kfile = f
file f
name=F
action = load
filters = t, t, t, t, t, tt
filter t
name=T
exten = a, b, c, d, e, f, g, h, i, j, k
def l
