; SYNTAX TEST "source.sc" "where values begin and end, and what the compiler never reads"
  := ; a comment after blanks, colons and equals signs
;    ^ comment.line.semicolon.sc punctuation.definition.comment.sc
#: h1
;  ^^ meta.header.sc string.unquoted.header.sc
# h2
# h3
# h4
# h5
# h6
list main name: Main ; the first parameter may stand on the section line
;         ^^^^ keyword.other.parameter.sc
;             ^^ punctuation.separator.key-value.sc
;               ^^^^^ string.unquoted.caption.sc
;                    ^ comment.line.semicolon.sc punctuation.definition.comment.sc
items = fast mode, odd ; blanks inside a name are dropped: "fastmode"
;       ^^^^ variable.other.key.sc
;            ^^^^ variable.other.key.sc
;                      ^ comment.line.semicolon.sc
key fastmode ; a comment after the name
;            ^^^^^^^^^^^^^^^^^^^^^^^^^^ comment.line.semicolon.sc
name = Fast ; the blank after "=" is part of the caption
;    ^ punctuation.separator.key-value.sc
;     ^^^^^^ string.unquoted.caption.sc
order = keys, disable ; the rest of an order line after disable is not read
;                     ^ comment.line.semicolon.sc punctuation.definition.comment.sc
arg=-f ; key data ends at the last semicolon
;   ^^^ string.unquoted.key-data.sc
;      ^ comment.line.semicolon.sc
next = disable and the rest of the line is not read
;             ^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^ comment.line.unread.sc
kmarg = disable
kfile = disable
key odd
name -x
;    ^ punctuation.separator.key-value.sc
;     ^ string.unquoted.caption.sc
order = keys, disable
arg=;a;b
;   ^^ string.unquoted.key-data.sc
;     ^^ comment.line.semicolon.sc - string.unquoted.key-data.sc
next = disable
kmarg = level
kfile = disable
marg level
name :: Level ; every blank, colon and equals sign before a marg's caption is dropped
;   ^^^^ punctuation.separator.key-value.sc
;       ^^^^^^ string.unquoted.caption.sc
info = Up to<@9 ; a tooltip ends at its first semicolon; this is comment
;      ^^^^^ string.unquoted.tooltip.sc
;                ^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^ comment.line.semicolon.sc - string.unquoted.tooltip.sc
def main ; the default list
;        ^ comment.line.semicolon.sc punctuation.definition.comment.sc
