#1
#2
#3
#4
#5
#6
list l0
name=x
items=k
list l1
name=x
items=k
list l2
name=x
items=k
list l3
name=x
items=k
list l4
name=x
items=k
list l5
name=x
items=k
list l6
name=x
items=k
list l7
name=x
items=k
list l8
name=x
items=k
list l9
name=x
items=k
list l10
name=x
items=k
list l11
name=x
items=k
list l12
name=x
items=k
list l13
name=x
items=k
list l14
name=x
items=k
list l15
name=x
items=k
list l16
name=x
items=k
list l17
name=x
items=k
list l18
name=x
items=k
list l19
name=x
items=k
list l20
name=x
items=k
list l21
name=x
items=k
list l22
name=x
items=k
list l23
name=x
items=k
list l24
name=x
items=k
list l25
name=x
items=k
list l26
name=x
items=k
list l27
name=x
items=k
list l28
name=x
items=k
list l29
name=x
items=k
list l30
name=x
items=k
list l31
name=x
items=k
list l32
name=x
items=k
list l33
name=x
items=k
list l34
name=x
items=k
list l35
name=x
items=k
list l36
name=x
items=k
list l37
name=x
items=k
list l38
name=x
items=k
list l39
name=x
items=k
list l40
name=x
items=k
list l41
name=x
items=k
list l42
name=x
items=k
list l43
name=x
items=k
list l44
name=x
items=k
list l45
name=x
items=k
list l46
name=x
items=k
list l47
name=x
items=k
list l48
name=x
items=k
list l49
name=x
items=k
list l50
name=x
items=k
