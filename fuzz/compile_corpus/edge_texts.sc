# a;b  
#x
#  #
#
# h5
# h6
list l
name=x;
items = k, k2
key k
name= lead
order = path path keys
arg=a;b;c
next = disable
kmarg = disable
kfile = f
key k2
name==eq
order = value disable
next = l
kmarg = m
kfile = disable
file f
name=   
action = load
filters = t
filter t
name=(*.txt) 
exten = =a, , *.b, x
marg m
name=x ;
info=<<@@<@<@
def l
