#1
#2
#3
#4
#5
#6
marg m0
name=x
info=y
marg m1
name=x
info=y
marg m2
name=x
info=y
marg m3
name=x
info=y
marg m4
name=x
info=y
marg m5
name=x
info=y
marg m6
name=x
info=y
marg m7
name=x
info=y
marg m8
name=x
info=y
marg m9
name=x
info=y
marg m10
name=x
info=y
marg m11
name=x
info=y
marg m12
name=x
info=y
marg m13
name=x
info=y
marg m14
name=x
info=y
marg m15
name=x
info=y
marg m16
name=x
info=y
marg m17
name=x
info=y
marg m18
name=x
info=y
marg m19
name=x
info=y
marg m20
name=x
info=y
marg m21
name=x
info=y
marg m22
name=x
info=y
marg m23
name=x
info=y
marg m24
name=x
info=y
marg m25
name=x
info=y
marg m26
name=x
info=y
marg m27
name=x
info=y
marg m28
name=x
info=y
marg m29
name=x
info=y
marg m30
name=x
info=y
marg m31
name=x
info=y
marg m32
name=x
info=y
marg m33
name=x
info=y
marg m34
name=x
info=y
marg m35
name=x
info=y
marg m36
name=x
info=y
marg m37
name=x
info=y
marg m38
name=x
info=y
marg m39
name=x
info=y
marg m40
name=x
info=y
marg m41
name=x
info=y
marg m42
name=x
info=y
marg m43
name=x
info=y
marg m44
name=x
info=y
marg m45
name=x
info=y
marg m46
name=x
info=y
marg m47
name=x
info=y
marg m48
name=x
info=y
marg m49
name=x
info=y
marg m50
name=x
info=y
marg m51
name=x
info=y
marg m52
name=x
info=y
marg m53
name=x
info=y
marg m54
name=x
info=y
marg m55
name=x
info=y
marg m56
name=x
info=y
marg m57
name=x
info=y
marg m58
name=x
info=y
marg m59
name=x
info=y
marg m60
name=x
info=y
marg m61
name=x
info=y
marg m62
name=x
info=y
marg m63
name=x
info=y
marg m64
name=x
info=y
marg m65
name=x
info=y
marg m66
name=x
info=y
marg m67
name=x
info=y
marg m68
name=x
info=y
marg m69
name=x
info=y
marg m70
name=x
info=y
marg m71
name=x
info=y
marg m72
name=x
info=y
marg m73
name=x
info=y
marg m74
name=x
info=y
marg m75
name=x
info=y
marg m76
name=x
info=y
marg m77
name=x
info=y
marg m78
name=x
info=y
marg m79
name=x
info=y
marg m80
name=x
info=y
marg m81
name=x
info=y
marg m82
name=x
info=y
marg m83
name=x
info=y
marg m84
name=x
info=y
marg m85
name=x
info=y
marg m86
name=x
info=y
marg m87
name=x
info=y
marg m88
name=x
info=y
marg m89
name=x
info=y
marg m90
name=x
info=y
marg m91
name=x
info=y
marg m92
name=x
info=y
marg m93
name=x
info=y
marg m94
name=x
info=y
marg m95
name=x
info=y
marg m96
name=x
info=y
marg m97
name=x
info=y
marg m98
name=x
info=y
marg m99
name=x
info=y
marg m100
name=x
info=y
