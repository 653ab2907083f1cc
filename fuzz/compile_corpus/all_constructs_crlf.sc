; every construct at once

   # Tool ; v1
; between header lines
#: = second
#
#4
  :=  # five  ;
#6

key run name = Run ; the first key
   order = keys, path, value
; comment inside a section
arg = --run ; trailing comment
next = more
kmarg = level
kfile = src
list modes items = run, stop, dump ; all three
name = Modes

key stop
name=Stop
kfile = disable
order = path, disable
kmarg = disable
next = modes
key dump
name = Dump
order = value, path, disable
kmarg = note
kfile = dst
next = disable
file src
action = load
filters = txt, img
name = Source ; c
file out action = dir
name = Output folder
file dst
name=Target
filters = img
action = load
filter txt
name = Text ;
exten = txt, log, md
filter img exten = png, jpg, gif, bmp, tif, webp, svg, ico, heic, raw, psd ; eleven
name = Images
marg level
info = Line one<@Line two<@<@end ; not shown
name = Level
marg note name = Note
info =
list more
items = dump
name = More
def modes
; trailing comment
