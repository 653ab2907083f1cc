#1
#2
#3
#4
#5
#6
filter t0
name=x
exten=e
filter t1
name=x
exten=e
filter t2
name=x
exten=e
filter t3
name=x
exten=e
filter t4
name=x
exten=e
filter t5
name=x
exten=e
filter t6
name=x
exten=e
filter t7
name=x
exten=e
filter t8
name=x
exten=e
filter t9
name=x
exten=e
filter t10
name=x
exten=e
filter t11
name=x
exten=e
filter t12
name=x
exten=e
filter t13
name=x
exten=e
filter t14
name=x
exten=e
filter t15
name=x
exten=e
filter t16
name=x
exten=e
filter t17
name=x
exten=e
filter t18
name=x
exten=e
filter t19
name=x
exten=e
filter t20
name=x
exten=e
filter t21
name=x
exten=e
filter t22
name=x
exten=e
filter t23
name=x
exten=e
filter t24
name=x
exten=e
filter t25
name=x
exten=e
filter t26
name=x
exten=e
filter t27
name=x
exten=e
filter t28
name=x
exten=e
filter t29
name=x
exten=e
filter t30
name=x
exten=e
filter t31
name=x
exten=e
filter t32
name=x
exten=e
filter t33
name=x
exten=e
filter t34
name=x
exten=e
filter t35
name=x
exten=e
filter t36
name=x
exten=e
filter t37
name=x
exten=e
filter t38
name=x
exten=e
filter t39
name=x
exten=e
filter t40
name=x
exten=e
filter t41
name=x
exten=e
filter t42
name=x
exten=e
filter t43
name=x
exten=e
filter t44
name=x
exten=e
filter t45
name=x
exten=e
filter t46
name=x
exten=e
filter t47
name=x
exten=e
filter t48
name=x
exten=e
filter t49
name=x
exten=e
filter t50
name=x
exten=e
