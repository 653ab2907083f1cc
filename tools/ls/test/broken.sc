; a script with mistakes: an order word misspelt, an action in capitals
# h1
# h2
# h3
# h4
# h5
# h6
list main
name=Main
items = größe, go, quiet
key go
name = Go
order = keys vlaue
arg=--go
next = disable
kmarg = disable
kfile = disable
key größe
name=Größe 𝄞
order = keys, disable
arg=-g
next = more
kmarg = disable
kfile = disable
file out
name=Output
action = Load
filters = text
key quiet
name=Quiet
order = keys, disable
arg=-q
next = more
kmarg = disable
kfile = disable
list more
name=More
items = quiet
def main
