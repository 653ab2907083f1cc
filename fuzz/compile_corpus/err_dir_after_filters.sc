# h1
# h2
# h3
# h4
# h5
# h6
file out
filters = t
; the action comes last
action = dir
