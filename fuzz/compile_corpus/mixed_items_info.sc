# Tool
#: = second
#
# h4 ; not a comment
  # h5
# h6
; a later def line replaces this one
def main
; the first list has its caption on the section line
list main name = Main menu ; caption
items = a, b , c
list sub
items=d,e

name: Sub menu
key a
name = Alpha ; first
order = keys, path, value
arg = -a ; the alpha switch
next = sub
kmarg = level
kfile = src
key b
name=Beta
order = path, keys, disable
arg=--b
next = disable
kmarg = disable
kfile = out
key c
name=Gamma
order = disable
next = main
kmarg = disable
kfile = disable
key d
name=Delta
kfile = disable
next = disable
kmarg = count
order = value, disable
key e
name=Epsilon
order = path, value, disable
next = disable
kmarg = count
kfile = dst
file src
name=Source file
action = load
filters = txt, all
file out
action = dir
name = Output folder
file dst action = save
filters = all
name=Target
filter txt
name = Text files ;
exten = txt, log
filter all
exten = *
name=All
marg level
name=Level
info=Low<@High ; comment
marg count
info =
name=Count
def sub
