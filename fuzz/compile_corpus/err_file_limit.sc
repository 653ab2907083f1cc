#1
#2
#3
#4
#5
#6
file f0
name=x
action=dir
file f1
name=x
action=dir
file f2
name=x
action=dir
file f3
name=x
action=dir
file f4
name=x
action=dir
file f5
name=x
action=dir
file f6
name=x
action=dir
file f7
name=x
action=dir
file f8
name=x
action=dir
file f9
name=x
action=dir
file f10
name=x
action=dir
file f11
name=x
action=dir
file f12
name=x
action=dir
file f13
name=x
action=dir
file f14
name=x
action=dir
file f15
name=x
action=dir
file f16
name=x
action=dir
file f17
name=x
action=dir
file f18
name=x
action=dir
file f19
name=x
action=dir
file f20
name=x
action=dir
file f21
name=x
action=dir
file f22
name=x
action=dir
file f23
name=x
action=dir
file f24
name=x
action=dir
file f25
name=x
action=dir
file f26
name=x
action=dir
file f27
name=x
action=dir
file f28
name=x
action=dir
file f29
name=x
action=dir
file f30
name=x
action=dir
file f31
name=x
action=dir
file f32
name=x
action=dir
file f33
name=x
action=dir
file f34
name=x
action=dir
file f35
name=x
action=dir
file f36
name=x
action=dir
file f37
name=x
action=dir
file f38
name=x
action=dir
file f39
name=x
action=dir
file f40
name=x
action=dir
file f41
name=x
action=dir
file f42
name=x
action=dir
file f43
name=x
action=dir
file f44
name=x
action=dir
file f45
name=x
action=dir
file f46
name=x
action=dir
file f47
name=x
action=dir
file f48
name=x
action=dir
file f49
name=x
action=dir
file f50
name=x
action=dir
file f51
name=x
action=dir
file f52
name=x
action=dir
file f53
name=x
action=dir
file f54
name=x
action=dir
file f55
name=x
action=dir
file f56
name=x
action=dir
file f57
name=x
action=dir
file f58
name=x
action=dir
file f59
name=x
action=dir
file f60
name=x
action=dir
file f61
name=x
action=dir
file f62
name=x
action=dir
file f63
name=x
action=dir
file f64
name=x
action=dir
file f65
name=x
action=dir
file f66
name=x
action=dir
file f67
name=x
action=dir
file f68
name=x
action=dir
file f69
name=x
action=dir
file f70
name=x
action=dir
file f71
name=x
action=dir
file f72
name=x
action=dir
file f73
name=x
action=dir
file f74
name=x
action=dir
file f75
name=x
action=dir
file f76
name=x
action=dir
file f77
name=x
action=dir
file f78
name=x
action=dir
file f79
name=x
action=dir
file f80
name=x
action=dir
file f81
name=x
action=dir
file f82
name=x
action=dir
file f83
name=x
action=dir
file f84
name=x
action=dir
file f85
name=x
action=dir
file f86
name=x
action=dir
file f87
name=x
action=dir
file f88
name=x
action=dir
file f89
name=x
action=dir
file f90
name=x
action=dir
file f91
name=x
action=dir
file f92
name=x
action=dir
file f93
name=x
action=dir
file f94
name=x
action=dir
file f95
name=x
action=dir
file f96
name=x
action=dir
file f97
name=x
action=dir
file f98
name=x
action=dir
file f99
name=x
action=dir
file f100
name=x
action=dir
