; sample script
# header item 1
# header item 2
# header item 3
# header item 4
# header item 5
# header item 6
list modes
name=Mode
items = fast, slow
key fast
name=Fast mode
order = keys path value
arg=-f
next = disable
kmarg = level
kfile = input
key slow
name=Slow mode
order = disable
next = modes
kmarg = disable
kfile = disable
file input
name=Input file
action = load
filters = text
filter text
name=Text files
exten = txt, log
marg level
name=Level
info=First line<@Second line
def modes
