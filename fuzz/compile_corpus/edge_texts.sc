# a;b  
#x
#  #
#
# h5
# h6
list l
name=x;
items = k, k2
list l2
name=	<@
items = k3
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
key k3
name=-dash ;
order = keys disable
arg=;
next = l2
kmarg = disable
kfile = disable
file f
name=   
action = load
filters = t, t2
filter t
name=(*.txt) 
exten = =a, , *.b, x
filter t2
name=
exten = a,b,c,d,e,f,g,h,i,j,k
marg m
name=x ;
info=<<@@<@<@
def l
