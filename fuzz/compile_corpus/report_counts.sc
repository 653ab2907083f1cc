#a
#b
#c
#d
#e
#f
list one
name=One
items=k1,k2,k3
list two
name=Two
items=k4,k5
key k1
name=K1
order=keys,disable
arg=-a
next=disable
kmarg=disable
kfile=f
key k2
name=K2
order=keys,disable
arg=-b
next=two
kmarg=disable
kfile=disable
key k3
name=K3
order=disable
next=two
kmarg=disable
kfile=disable
key k4
name=K4
order=disable
next=one
kmarg=disable
kfile=disable
key k5
name=K5
order=path,disable
next=disable
kmarg=disable
kfile=f
file f
name=F
action=save
filters=a,b
filter a
name=A
exten=x
filter b
name=B
exten=y,z
def two
