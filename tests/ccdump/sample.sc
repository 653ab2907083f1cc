; A richer sample for ccdump: two lists (the default one second), a key in no
; list, a key listed twice, load, save and dir file items, an unused filter,
; two margs, and captions with quotes, a backslash, a tab and bytes >= 0x80.
# Sample tool
# "quoted" header; with a semicolon
#
# C:\tools\sample.exe
# header 5
# header 6
list first
name=First list
items = copy, copy, orphanless
list main
name=Main "options"
items = verbose, copy, out
key verbose
name=Verbose	output
order = keys, disable
arg=-v
next = disable
kmarg = disable
kfile = disable
key copy
name=Copy to
order = path path keys
arg=--copy=
next = first
kmarg = disable
kfile = target
key out
name=Output folder
order = path, disable
next = disable
kmarg = disable
kfile = folder
key orphanless
name=Level
order = value, keys, disable
arg=-l
next = disable
kmarg = level
kfile = disable
key unused
name=Nobody lists me
order = disable
next = main
kmarg = disable
kfile = disable
file source
name=Source file
action = load
filters = text, all
file target
name = Target
action = save
filters = img
file folder
name=Dossier créé / caf�
action = dir
filter text
name=Text files 
exten = txt, log, md
filter img
name=Images
exten = png
filter all
name=All files
exten = *
marg level
name=Level
info=One line<@two lines<@<@end
marg empty
name=Nothing to say
info=
def main
