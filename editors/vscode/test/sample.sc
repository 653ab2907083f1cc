; SYNTAX TEST "source.sc" "a script that compiles: header, sections, parameters, keywords and names"
; a comment line
; <- comment.line.semicolon.sc punctuation.definition.comment.sc
# Converter 2.1 ; a header item keeps its semicolon
; <- meta.header.sc punctuation.definition.header.sc
; ^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^ meta.header.sc string.unquoted.header.sc - comment.line.semicolon.sc
# h2
# h3
# h4
# h5
# h6
list modes
; <---- meta.section.list.sc storage.type.section.sc
;    ^^^^^ entity.name.type.list.sc
name=Mode
; <---- keyword.other.parameter.sc
;   ^ punctuation.separator.key-value.sc
;    ^^^^ string.unquoted.caption.sc
items = fast, slow
;       ^^^^  ^^^^ variable.other.key.sc
;           ^ punctuation.separator.comma.sc
key fast
; <--- meta.section.key.sc storage.type.section.sc
;   ^^^^ entity.name.type.key.sc
name=Fast mode
;    ^^^^^^^^^ string.unquoted.caption.sc
order = keys path value
;       ^^^^ ^^^^ ^^^^^ keyword.other.order.sc
arg=-f
;   ^^ string.unquoted.key-data.sc
next = disable
;      ^^^^^^^ constant.language.disable.sc
kmarg = level
;       ^^^^^ variable.other.marg.sc
kfile = input
;       ^^^^^ variable.other.file.sc
key slow
name=Slow mode
order = disable
;       ^^^^^^^ constant.language.disable.sc
next = modes
;      ^^^^^ variable.other.list.sc
kmarg = disable
kfile = disable
file input
; <---- meta.section.file.sc storage.type.section.sc
;    ^^^^^ entity.name.type.file.sc
name=Input file
action = load
;        ^^^^ keyword.other.action.sc
filters = text
;         ^^^^ variable.other.filter.sc
filter text
; <------ meta.section.filter.sc storage.type.section.sc
;      ^^^^ entity.name.type.filter.sc
name=Text files
exten = txt, log
;       ^^^ string.unquoted.extension.sc
marg level
; <---- meta.section.marg.sc storage.type.section.sc
;    ^^^^^ entity.name.type.marg.sc
name=Level
info=First line<@Second line
;    ^^^^^^^^^^ string.unquoted.tooltip.sc
;              ^^ string.unquoted.tooltip.sc constant.character.escape.line-break.sc
def modes
; <--- meta.section.def.sc storage.type.section.sc
;   ^^^^^ variable.other.list.sc
