# h1
# h2
# h3
# h4
# h5
# h6
file f
name=F
action = Load
filters = t
