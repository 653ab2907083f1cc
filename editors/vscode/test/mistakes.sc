; SYNTAX TEST "source.sc" "what the compiler refuses is marked invalid"
stray text before the header
; <----- invalid.illegal.line.sc
# h1
# h2
# h3
# h4
# h5
# h6
# a seventh header line
; <----------------------- invalid.illegal.line.sc - meta.header.sc
list main
name=Main
Items = go
; <----- invalid.illegal.line.sc
items: go
;    ^ invalid.illegal.separator.sc
key go
order = keys, later
;             ^^^^^ invalid.illegal.order.sc
order: keys
;    ^ invalid.illegal.separator.sc
name:Go
;   ^ invalid.illegal.separator.sc
arg:-g
;  ^ invalid.illegal.separator.sc
next: main
;   ^ invalid.illegal.separator.sc
;    ^^^^^ comment.line.unread.sc
info=a marg's parameter in a key
; <---- invalid.illegal.line.sc
# a header line after the header
; <- invalid.illegal.line.sc
	name=indented with a tab
; <- invalid.illegal.line.sc
file doc
action = open
;        ^^^^ invalid.illegal.action.sc
def main
List more
; <---- invalid.illegal.line.sc
def: main
;  ^ invalid.illegal.separator.sc
