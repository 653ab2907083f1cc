; Every limit at once: 50 lists of 20 keys, 500 keys, 100 file items of 5
; filters (and folder browsers), 50 filters of 10 extensions, 100 margs, and
; 5000 lines. Keys take every order form; every item is named, and every list
; reached from the default list, so it compiles without a warning. The tests,
; the benchmarks and the preview page's tests all use this one script.
# Every limit
# 2
# 3
# 4
# 5
# 6

list l0
name=List 0 of the options
items = k0, k1, k2, k3, k4, k5, k6, k7, k8, k9, k10, k11, k12, k13, k14, k15, k16, k17, k18, k19
list l1
name=List 1 of the options
items = k10, k11, k12, k13, k14, k15, k16, k17, k18, k19, k20, k21, k22, k23, k24, k25, k26, k27, k28, k29
list l2
name=List 2 of the options
items = k20, k21, k22, k23, k24, k25, k26, k27, k28, k29, k30, k31, k32, k33, k34, k35, k36, k37, k38, k39
list l3
name=List 3 of the options
items = k30, k31, k32, k33, k34, k35, k36, k37, k38, k39, k40, k41, k42, k43, k44, k45, k46, k47, k48, k49
list l4
name=List 4 of the options
items = k40, k41, k42, k43, k44, k45, k46, k47, k48, k49, k50, k51, k52, k53, k54, k55, k56, k57, k58, k59
list l5
name=List 5 of the options
items = k50, k51, k52, k53, k54, k55, k56, k57, k58, k59, k60, k61, k62, k63, k64, k65, k66, k67, k68, k69
list l6
name=List 6 of the options
items = k60, k61, k62, k63, k64, k65, k66, k67, k68, k69, k70, k71, k72, k73, k74, k75, k76, k77, k78, k79
list l7
name=List 7 of the options
items = k70, k71, k72, k73, k74, k75, k76, k77, k78, k79, k80, k81, k82, k83, k84, k85, k86, k87, k88, k89
list l8
name=List 8 of the options
items = k80, k81, k82, k83, k84, k85, k86, k87, k88, k89, k90, k91, k92, k93, k94, k95, k96, k97, k98, k99
list l9
name=List 9 of the options
items = k90, k91, k92, k93, k94, k95, k96, k97, k98, k99, k100, k101, k102, k103, k104, k105, k106, k107, k108, k109
list l10
name=List 10 of the options
items = k100, k101, k102, k103, k104, k105, k106, k107, k108, k109, k110, k111, k112, k113, k114, k115, k116, k117, k118, k119
list l11
name=List 11 of the options
items = k110, k111, k112, k113, k114, k115, k116, k117, k118, k119, k120, k121, k122, k123, k124, k125, k126, k127, k128, k129
list l12
name=List 12 of the options
items = k120, k121, k122, k123, k124, k125, k126, k127, k128, k129, k130, k131, k132, k133, k134, k135, k136, k137, k138, k139
list l13
name=List 13 of the options
items = k130, k131, k132, k133, k134, k135, k136, k137, k138, k139, k140, k141, k142, k143, k144, k145, k146, k147, k148, k149
list l14
name=List 14 of the options
items = k140, k141, k142, k143, k144, k145, k146, k147, k148, k149, k150, k151, k152, k153, k154, k155, k156, k157, k158, k159
list l15
name=List 15 of the options
items = k150, k151, k152, k153, k154, k155, k156, k157, k158, k159, k160, k161, k162, k163, k164, k165, k166, k167, k168, k169
list l16
name=List 16 of the options
items = k160, k161, k162, k163, k164, k165, k166, k167, k168, k169, k170, k171, k172, k173, k174, k175, k176, k177, k178, k179
list l17
name=List 17 of the options
items = k170, k171, k172, k173, k174, k175, k176, k177, k178, k179, k180, k181, k182, k183, k184, k185, k186, k187, k188, k189
list l18
name=List 18 of the options
items = k180, k181, k182, k183, k184, k185, k186, k187, k188, k189, k190, k191, k192, k193, k194, k195, k196, k197, k198, k199
list l19
name=List 19 of the options
items = k190, k191, k192, k193, k194, k195, k196, k197, k198, k199, k200, k201, k202, k203, k204, k205, k206, k207, k208, k209
list l20
name=List 20 of the options
items = k200, k201, k202, k203, k204, k205, k206, k207, k208, k209, k210, k211, k212, k213, k214, k215, k216, k217, k218, k219
list l21
name=List 21 of the options
items = k210, k211, k212, k213, k214, k215, k216, k217, k218, k219, k220, k221, k222, k223, k224, k225, k226, k227, k228, k229
list l22
name=List 22 of the options
items = k220, k221, k222, k223, k224, k225, k226, k227, k228, k229, k230, k231, k232, k233, k234, k235, k236, k237, k238, k239
list l23
name=List 23 of the options
items = k230, k231, k232, k233, k234, k235, k236, k237, k238, k239, k240, k241, k242, k243, k244, k245, k246, k247, k248, k249
list l24
name=List 24 of the options
items = k240, k241, k242, k243, k244, k245, k246, k247, k248, k249, k250, k251, k252, k253, k254, k255, k256, k257, k258, k259
list l25
name=List 25 of the options
items = k250, k251, k252, k253, k254, k255, k256, k257, k258, k259, k260, k261, k262, k263, k264, k265, k266, k267, k268, k269
list l26
name=List 26 of the options
items = k260, k261, k262, k263, k264, k265, k266, k267, k268, k269, k270, k271, k272, k273, k274, k275, k276, k277, k278, k279
list l27
name=List 27 of the options
items = k270, k271, k272, k273, k274, k275, k276, k277, k278, k279, k280, k281, k282, k283, k284, k285, k286, k287, k288, k289
list l28
name=List 28 of the options
items = k280, k281, k282, k283, k284, k285, k286, k287, k288, k289, k290, k291, k292, k293, k294, k295, k296, k297, k298, k299
list l29
name=List 29 of the options
items = k290, k291, k292, k293, k294, k295, k296, k297, k298, k299, k300, k301, k302, k303, k304, k305, k306, k307, k308, k309
list l30
name=List 30 of the options
items = k300, k301, k302, k303, k304, k305, k306, k307, k308, k309, k310, k311, k312, k313, k314, k315, k316, k317, k318, k319
list l31
name=List 31 of the options
items = k310, k311, k312, k313, k314, k315, k316, k317, k318, k319, k320, k321, k322, k323, k324, k325, k326, k327, k328, k329
list l32
name=List 32 of the options
items = k320, k321, k322, k323, k324, k325, k326, k327, k328, k329, k330, k331, k332, k333, k334, k335, k336, k337, k338, k339
list l33
name=List 33 of the options
items = k330, k331, k332, k333, k334, k335, k336, k337, k338, k339, k340, k341, k342, k343, k344, k345, k346, k347, k348, k349
list l34
name=List 34 of the options
items = k340, k341, k342, k343, k344, k345, k346, k347, k348, k349, k350, k351, k352, k353, k354, k355, k356, k357, k358, k359
list l35
name=List 35 of the options
items = k350, k351, k352, k353, k354, k355, k356, k357, k358, k359, k360, k361, k362, k363, k364, k365, k366, k367, k368, k369
list l36
name=List 36 of the options
items = k360, k361, k362, k363, k364, k365, k366, k367, k368, k369, k370, k371, k372, k373, k374, k375, k376, k377, k378, k379
list l37
name=List 37 of the options
items = k370, k371, k372, k373, k374, k375, k376, k377, k378, k379, k380, k381, k382, k383, k384, k385, k386, k387, k388, k389
list l38
name=List 38 of the options
items = k380, k381, k382, k383, k384, k385, k386, k387, k388, k389, k390, k391, k392, k393, k394, k395, k396, k397, k398, k399
list l39
name=List 39 of the options
items = k390, k391, k392, k393, k394, k395, k396, k397, k398, k399, k400, k401, k402, k403, k404, k405, k406, k407, k408, k409
list l40
name=List 40 of the options
items = k400, k401, k402, k403, k404, k405, k406, k407, k408, k409, k410, k411, k412, k413, k414, k415, k416, k417, k418, k419
list l41
name=List 41 of the options
items = k410, k411, k412, k413, k414, k415, k416, k417, k418, k419, k420, k421, k422, k423, k424, k425, k426, k427, k428, k429
list l42
name=List 42 of the options
items = k420, k421, k422, k423, k424, k425, k426, k427, k428, k429, k430, k431, k432, k433, k434, k435, k436, k437, k438, k439
list l43
name=List 43 of the options
items = k430, k431, k432, k433, k434, k435, k436, k437, k438, k439, k440, k441, k442, k443, k444, k445, k446, k447, k448, k449
list l44
name=List 44 of the options
items = k440, k441, k442, k443, k444, k445, k446, k447, k448, k449, k450, k451, k452, k453, k454, k455, k456, k457, k458, k459
list l45
name=List 45 of the options
items = k450, k451, k452, k453, k454, k455, k456, k457, k458, k459, k460, k461, k462, k463, k464, k465, k466, k467, k468, k469
list l46
name=List 46 of the options
items = k460, k461, k462, k463, k464, k465, k466, k467, k468, k469, k470, k471, k472, k473, k474, k475, k476, k477, k478, k479
list l47
name=List 47 of the options
items = k470, k471, k472, k473, k474, k475, k476, k477, k478, k479, k480, k481, k482, k483, k484, k485, k486, k487, k488, k489
list l48
name=List 48 of the options
items = k480, k481, k482, k483, k484, k485, k486, k487, k488, k489, k490, k491, k492, k493, k494, k495, k496, k497, k498, k499
list l49
name=List 49 of the options
items = k490, k491, k492, k493, k494, k495, k496, k497, k498, k499, k0, k1, k2, k3, k4, k5, k6, k7, k8, k9

key k0
name=Key 0, the caption a person reads
order = keys path value
arg=--option-0=
next = l1
kmarg = m0
kfile = f0
key k1
name=Key 1, the caption a person reads
order = path, disable
next = l2
kmarg = disable
kfile = f1
key k2
name=Key 2, the caption a person reads
order = path path keys
arg=-k2
next = l3
kmarg = disable
kfile = f2
key k3
name=Key 3, the caption a person reads
order = value, keys, disable
arg=--value-3
next = l4
kmarg = m1
kfile = disable
key k4
name=Key 4, the caption a person reads
order = keys keys keys
arg=-4
next = l5
kmarg = disable
kfile = disable
key k5
name=Key 5, the caption a person reads
order = keys path value
arg=--option-5=
next = l6
kmarg = m2
kfile = f3
key k6
name=Key 6, the caption a person reads
order = path, disable
next = l7
kmarg = disable
kfile = f4
key k7
name=Key 7, the caption a person reads
order = path path keys
arg=-k7
next = l8
kmarg = disable
kfile = f5
key k8
name=Key 8, the caption a person reads
order = value, keys, disable
arg=--value-8
next = l9
kmarg = m3
kfile = disable
key k9
name=Key 9, the caption a person reads
order = keys keys keys
arg=-9
next = l10
kmarg = disable
kfile = disable
key k10
name=Key 10, the caption a person reads
order = keys path value
arg=--option-10=
next = l11
kmarg = m4
kfile = f6
key k11
name=Key 11, the caption a person reads
order = path, disable
next = l12
kmarg = disable
kfile = f7
key k12
name=Key 12, the caption a person reads
order = path path keys
arg=-k12
next = l13
kmarg = disable
kfile = f8
key k13
name=Key 13, the caption a person reads
order = value, keys, disable
arg=--value-13
next = l14
kmarg = m5
kfile = disable
key k14
name=Key 14, the caption a person reads
order = keys keys keys
arg=-14
next = l15
kmarg = disable
kfile = disable
key k15
name=Key 15, the caption a person reads
order = keys path value
arg=--option-15=
next = l16
kmarg = m6
kfile = f9
key k16
name=Key 16, the caption a person reads
order = path, disable
next = l17
kmarg = disable
kfile = f10
key k17
name=Key 17, the caption a person reads
order = path path keys
arg=-k17
next = l18
kmarg = disable
kfile = f11
key k18
name=Key 18, the caption a person reads
order = value, keys, disable
arg=--value-18
next = l19
kmarg = m7
kfile = disable
key k19
name=Key 19, the caption a person reads
order = keys keys keys
arg=-19
next = l20
kmarg = disable
kfile = disable
key k20
name=Key 20, the caption a person reads
order = keys path value
arg=--option-20=
next = l21
kmarg = m8
kfile = f12
key k21
name=Key 21, the caption a person reads
order = path, disable
next = l22
kmarg = disable
kfile = f13
key k22
name=Key 22, the caption a person reads
order = path path keys
arg=-k22
next = l23
kmarg = disable
kfile = f14
key k23
name=Key 23, the caption a person reads
order = value, keys, disable
arg=--value-23
next = l24
kmarg = m9
kfile = disable
key k24
name=Key 24, the caption a person reads
order = keys keys keys
arg=-24
next = l25
kmarg = disable
kfile = disable
key k25
name=Key 25, the caption a person reads
order = keys path value
arg=--option-25=
next = l26
kmarg = m10
kfile = f15
key k26
name=Key 26, the caption a person reads
order = path, disable
next = l27
kmarg = disable
kfile = f16
key k27
name=Key 27, the caption a person reads
order = path path keys
arg=-k27
next = l28
kmarg = disable
kfile = f17
key k28
name=Key 28, the caption a person reads
order = value, keys, disable
arg=--value-28
next = l29
kmarg = m11
kfile = disable
key k29
name=Key 29, the caption a person reads
order = keys keys keys
arg=-29
next = l30
kmarg = disable
kfile = disable
key k30
name=Key 30, the caption a person reads
order = keys path value
arg=--option-30=
next = l31
kmarg = m12
kfile = f18
key k31
name=Key 31, the caption a person reads
order = path, disable
next = l32
kmarg = disable
kfile = f19
key k32
name=Key 32, the caption a person reads
order = path path keys
arg=-k32
next = l33
kmarg = disable
kfile = f20
key k33
name=Key 33, the caption a person reads
order = value, keys, disable
arg=--value-33
next = l34
kmarg = m13
kfile = disable
key k34
name=Key 34, the caption a person reads
order = keys keys keys
arg=-34
next = l35
kmarg = disable
kfile = disable
key k35
name=Key 35, the caption a person reads
order = keys path value
arg=--option-35=
next = l36
kmarg = m14
kfile = f21
key k36
name=Key 36, the caption a person reads
order = path, disable
next = l37
kmarg = disable
kfile = f22
key k37
name=Key 37, the caption a person reads
order = path path keys
arg=-k37
next = l38
kmarg = disable
kfile = f23
key k38
name=Key 38, the caption a person reads
order = value, keys, disable
arg=--value-38
next = l39
kmarg = m15
kfile = disable
key k39
name=Key 39, the caption a person reads
order = keys keys keys
arg=-39
next = l40
kmarg = disable
kfile = disable
key k40
name=Key 40, the caption a person reads
order = keys path value
arg=--option-40=
next = l41
kmarg = m16
kfile = f24
key k41
name=Key 41, the caption a person reads
order = path, disable
next = l42
kmarg = disable
kfile = f25
key k42
name=Key 42, the caption a person reads
order = path path keys
arg=-k42
next = l43
kmarg = disable
kfile = f26
key k43
name=Key 43, the caption a person reads
order = value, keys, disable
arg=--value-43
next = l44
kmarg = m17
kfile = disable
key k44
name=Key 44, the caption a person reads
order = keys keys keys
arg=-44
next = l45
kmarg = disable
kfile = disable
key k45
name=Key 45, the caption a person reads
order = keys path value
arg=--option-45=
next = l46
kmarg = m18
kfile = f27
key k46
name=Key 46, the caption a person reads
order = path, disable
next = l47
kmarg = disable
kfile = f28
key k47
name=Key 47, the caption a person reads
order = path path keys
arg=-k47
next = l48
kmarg = disable
kfile = f29
key k48
name=Key 48, the caption a person reads
order = value, keys, disable
arg=--value-48
next = l49
kmarg = m19
kfile = disable
key k49
name=Key 49, the caption a person reads
order = keys keys keys
arg=-49
next = l0
kmarg = disable
kfile = disable
key k50
name=Key 50, the caption a person reads
order = keys path value
arg=--option-50=
next = l1
kmarg = m20
kfile = f30
key k51
name=Key 51, the caption a person reads
order = path, disable
next = l2
kmarg = disable
kfile = f31
key k52
name=Key 52, the caption a person reads
order = path path keys
arg=-k52
next = l3
kmarg = disable
kfile = f32
key k53
name=Key 53, the caption a person reads
order = value, keys, disable
arg=--value-53
next = l4
kmarg = m21
kfile = disable
key k54
name=Key 54, the caption a person reads
order = keys keys keys
arg=-54
next = l5
kmarg = disable
kfile = disable
key k55
name=Key 55, the caption a person reads
order = keys path value
arg=--option-55=
next = l6
kmarg = m22
kfile = f33
key k56
name=Key 56, the caption a person reads
order = path, disable
next = l7
kmarg = disable
kfile = f34
key k57
name=Key 57, the caption a person reads
order = path path keys
arg=-k57
next = l8
kmarg = disable
kfile = f35
key k58
name=Key 58, the caption a person reads
order = value, keys, disable
arg=--value-58
next = l9
kmarg = m23
kfile = disable
key k59
name=Key 59, the caption a person reads
order = keys keys keys
arg=-59
next = l10
kmarg = disable
kfile = disable
key k60
name=Key 60, the caption a person reads
order = keys path value
arg=--option-60=
next = l11
kmarg = m24
kfile = f36
key k61
name=Key 61, the caption a person reads
order = path, disable
next = l12
kmarg = disable
kfile = f37
key k62
name=Key 62, the caption a person reads
order = path path keys
arg=-k62
next = l13
kmarg = disable
kfile = f38
key k63
name=Key 63, the caption a person reads
order = value, keys, disable
arg=--value-63
next = l14
kmarg = m25
kfile = disable
key k64
name=Key 64, the caption a person reads
order = keys keys keys
arg=-64
next = l15
kmarg = disable
kfile = disable
key k65
name=Key 65, the caption a person reads
order = keys path value
arg=--option-65=
next = l16
kmarg = m26
kfile = f39
key k66
name=Key 66, the caption a person reads
order = path, disable
next = l17
kmarg = disable
kfile = f40
key k67
name=Key 67, the caption a person reads
order = path path keys
arg=-k67
next = l18
kmarg = disable
kfile = f41
key k68
name=Key 68, the caption a person reads
order = value, keys, disable
arg=--value-68
next = l19
kmarg = m27
kfile = disable
key k69
name=Key 69, the caption a person reads
order = keys keys keys
arg=-69
next = l20
kmarg = disable
kfile = disable
key k70
name=Key 70, the caption a person reads
order = keys path value
arg=--option-70=
next = l21
kmarg = m28
kfile = f42
key k71
name=Key 71, the caption a person reads
order = path, disable
next = l22
kmarg = disable
kfile = f43
key k72
name=Key 72, the caption a person reads
order = path path keys
arg=-k72
next = l23
kmarg = disable
kfile = f44
key k73
name=Key 73, the caption a person reads
order = value, keys, disable
arg=--value-73
next = l24
kmarg = m29
kfile = disable
key k74
name=Key 74, the caption a person reads
order = keys keys keys
arg=-74
next = l25
kmarg = disable
kfile = disable
key k75
name=Key 75, the caption a person reads
order = keys path value
arg=--option-75=
next = l26
kmarg = m30
kfile = f45
key k76
name=Key 76, the caption a person reads
order = path, disable
next = l27
kmarg = disable
kfile = f46
key k77
name=Key 77, the caption a person reads
order = path path keys
arg=-k77
next = l28
kmarg = disable
kfile = f47
key k78
name=Key 78, the caption a person reads
order = value, keys, disable
arg=--value-78
next = l29
kmarg = m31
kfile = disable
key k79
name=Key 79, the caption a person reads
order = keys keys keys
arg=-79
next = l30
kmarg = disable
kfile = disable
key k80
name=Key 80, the caption a person reads
order = keys path value
arg=--option-80=
next = l31
kmarg = m32
kfile = f48
key k81
name=Key 81, the caption a person reads
order = path, disable
next = l32
kmarg = disable
kfile = f49
key k82
name=Key 82, the caption a person reads
order = path path keys
arg=-k82
next = l33
kmarg = disable
kfile = f50
key k83
name=Key 83, the caption a person reads
order = value, keys, disable
arg=--value-83
next = l34
kmarg = m33
kfile = disable
key k84
name=Key 84, the caption a person reads
order = keys keys keys
arg=-84
next = l35
kmarg = disable
kfile = disable
key k85
name=Key 85, the caption a person reads
order = keys path value
arg=--option-85=
next = l36
kmarg = m34
kfile = f51
key k86
name=Key 86, the caption a person reads
order = path, disable
next = l37
kmarg = disable
kfile = f52
key k87
name=Key 87, the caption a person reads
order = path path keys
arg=-k87
next = l38
kmarg = disable
kfile = f53
key k88
name=Key 88, the caption a person reads
order = value, keys, disable
arg=--value-88
next = l39
kmarg = m35
kfile = disable
key k89
name=Key 89, the caption a person reads
order = keys keys keys
arg=-89
next = l40
kmarg = disable
kfile = disable
key k90
name=Key 90, the caption a person reads
order = keys path value
arg=--option-90=
next = l41
kmarg = m36
kfile = f54
key k91
name=Key 91, the caption a person reads
order = path, disable
next = l42
kmarg = disable
kfile = f55
key k92
name=Key 92, the caption a person reads
order = path path keys
arg=-k92
next = l43
kmarg = disable
kfile = f56
key k93
name=Key 93, the caption a person reads
order = value, keys, disable
arg=--value-93
next = l44
kmarg = m37
kfile = disable
key k94
name=Key 94, the caption a person reads
order = keys keys keys
arg=-94
next = l45
kmarg = disable
kfile = disable
key k95
name=Key 95, the caption a person reads
order = keys path value
arg=--option-95=
next = l46
kmarg = m38
kfile = f57
key k96
name=Key 96, the caption a person reads
order = path, disable
next = l47
kmarg = disable
kfile = f58
key k97
name=Key 97, the caption a person reads
order = path path keys
arg=-k97
next = l48
kmarg = disable
kfile = f59
key k98
name=Key 98, the caption a person reads
order = value, keys, disable
arg=--value-98
next = l49
kmarg = m39
kfile = disable
key k99
name=Key 99, the caption a person reads
order = keys keys keys
arg=-99
next = l0
kmarg = disable
kfile = disable
key k100
name=Key 100, the caption a person reads
order = keys path value
arg=--option-100=
next = l1
kmarg = m40
kfile = f60
key k101
name=Key 101, the caption a person reads
order = path, disable
next = l2
kmarg = disable
kfile = f61
key k102
name=Key 102, the caption a person reads
order = path path keys
arg=-k102
next = l3
kmarg = disable
kfile = f62
key k103
name=Key 103, the caption a person reads
order = value, keys, disable
arg=--value-103
next = l4
kmarg = m41
kfile = disable
key k104
name=Key 104, the caption a person reads
order = keys keys keys
arg=-104
next = l5
kmarg = disable
kfile = disable
key k105
name=Key 105, the caption a person reads
order = keys path value
arg=--option-105=
next = l6
kmarg = m42
kfile = f63
key k106
name=Key 106, the caption a person reads
order = path, disable
next = l7
kmarg = disable
kfile = f64
key k107
name=Key 107, the caption a person reads
order = path path keys
arg=-k107
next = l8
kmarg = disable
kfile = f65
key k108
name=Key 108, the caption a person reads
order = value, keys, disable
arg=--value-108
next = l9
kmarg = m43
kfile = disable
key k109
name=Key 109, the caption a person reads
order = keys keys keys
arg=-109
next = l10
kmarg = disable
kfile = disable
key k110
name=Key 110, the caption a person reads
order = keys path value
arg=--option-110=
next = l11
kmarg = m44
kfile = f66
key k111
name=Key 111, the caption a person reads
order = path, disable
next = l12
kmarg = disable
kfile = f67
key k112
name=Key 112, the caption a person reads
order = path path keys
arg=-k112
next = l13
kmarg = disable
kfile = f68
key k113
name=Key 113, the caption a person reads
order = value, keys, disable
arg=--value-113
next = l14
kmarg = m45
kfile = disable
key k114
name=Key 114, the caption a person reads
order = keys keys keys
arg=-114
next = l15
kmarg = disable
kfile = disable
key k115
name=Key 115, the caption a person reads
order = keys path value
arg=--option-115=
next = l16
kmarg = m46
kfile = f69
key k116
name=Key 116, the caption a person reads
order = path, disable
next = l17
kmarg = disable
kfile = f70
key k117
name=Key 117, the caption a person reads
order = path path keys
arg=-k117
next = l18
kmarg = disable
kfile = f71
key k118
name=Key 118, the caption a person reads
order = value, keys, disable
arg=--value-118
next = l19
kmarg = m47
kfile = disable
key k119
name=Key 119, the caption a person reads
order = keys keys keys
arg=-119
next = l20
kmarg = disable
kfile = disable
key k120
name=Key 120, the caption a person reads
order = keys path value
arg=--option-120=
next = l21
kmarg = m48
kfile = f72
key k121
name=Key 121, the caption a person reads
order = path, disable
next = l22
kmarg = disable
kfile = f73
key k122
name=Key 122, the caption a person reads
order = path path keys
arg=-k122
next = l23
kmarg = disable
kfile = f74
key k123
name=Key 123, the caption a person reads
order = value, keys, disable
arg=--value-123
next = l24
kmarg = m49
kfile = disable
key k124
name=Key 124, the caption a person reads
order = keys keys keys
arg=-124
next = l25
kmarg = disable
kfile = disable
key k125
name=Key 125, the caption a person reads
order = keys path value
arg=--option-125=
next = l26
kmarg = m50
kfile = f75
key k126
name=Key 126, the caption a person reads
order = path, disable
next = l27
kmarg = disable
kfile = f76
key k127
name=Key 127, the caption a person reads
order = path path keys
arg=-k127
next = l28
kmarg = disable
kfile = f77
key k128
name=Key 128, the caption a person reads
order = value, keys, disable
arg=--value-128
next = l29
kmarg = m51
kfile = disable
key k129
name=Key 129, the caption a person reads
order = keys keys keys
arg=-129
next = l30
kmarg = disable
kfile = disable
key k130
name=Key 130, the caption a person reads
order = keys path value
arg=--option-130=
next = l31
kmarg = m52
kfile = f78
key k131
name=Key 131, the caption a person reads
order = path, disable
next = l32
kmarg = disable
kfile = f79
key k132
name=Key 132, the caption a person reads
order = path path keys
arg=-k132
next = l33
kmarg = disable
kfile = f80
key k133
name=Key 133, the caption a person reads
order = value, keys, disable
arg=--value-133
next = l34
kmarg = m53
kfile = disable
key k134
name=Key 134, the caption a person reads
order = keys keys keys
arg=-134
next = l35
kmarg = disable
kfile = disable
key k135
name=Key 135, the caption a person reads
order = keys path value
arg=--option-135=
next = l36
kmarg = m54
kfile = f81
key k136
name=Key 136, the caption a person reads
order = path, disable
next = l37
kmarg = disable
kfile = f82
key k137
name=Key 137, the caption a person reads
order = path path keys
arg=-k137
next = l38
kmarg = disable
kfile = f83
key k138
name=Key 138, the caption a person reads
order = value, keys, disable
arg=--value-138
next = l39
kmarg = m55
kfile = disable
key k139
name=Key 139, the caption a person reads
order = keys keys keys
arg=-139
next = l40
kmarg = disable
kfile = disable
key k140
name=Key 140, the caption a person reads
order = keys path value
arg=--option-140=
next = l41
kmarg = m56
kfile = f84
key k141
name=Key 141, the caption a person reads
order = path, disable
next = l42
kmarg = disable
kfile = f85
key k142
name=Key 142, the caption a person reads
order = path path keys
arg=-k142
next = l43
kmarg = disable
kfile = f86
key k143
name=Key 143, the caption a person reads
order = value, keys, disable
arg=--value-143
next = l44
kmarg = m57
kfile = disable
key k144
name=Key 144, the caption a person reads
order = keys keys keys
arg=-144
next = l45
kmarg = disable
kfile = disable
key k145
name=Key 145, the caption a person reads
order = keys path value
arg=--option-145=
next = l46
kmarg = m58
kfile = f87
key k146
name=Key 146, the caption a person reads
order = path, disable
next = l47
kmarg = disable
kfile = f88
key k147
name=Key 147, the caption a person reads
order = path path keys
arg=-k147
next = l48
kmarg = disable
kfile = f89
key k148
name=Key 148, the caption a person reads
order = value, keys, disable
arg=--value-148
next = l49
kmarg = m59
kfile = disable
key k149
name=Key 149, the caption a person reads
order = keys keys keys
arg=-149
next = l0
kmarg = disable
kfile = disable
key k150
name=Key 150, the caption a person reads
order = keys path value
arg=--option-150=
next = l1
kmarg = m60
kfile = f90
key k151
name=Key 151, the caption a person reads
order = path, disable
next = l2
kmarg = disable
kfile = f91
key k152
name=Key 152, the caption a person reads
order = path path keys
arg=-k152
next = l3
kmarg = disable
kfile = f92
key k153
name=Key 153, the caption a person reads
order = value, keys, disable
arg=--value-153
next = l4
kmarg = m61
kfile = disable
key k154
name=Key 154, the caption a person reads
order = keys keys keys
arg=-154
next = l5
kmarg = disable
kfile = disable
key k155
name=Key 155, the caption a person reads
order = keys path value
arg=--option-155=
next = l6
kmarg = m62
kfile = f93
key k156
name=Key 156, the caption a person reads
order = path, disable
next = l7
kmarg = disable
kfile = f94
key k157
name=Key 157, the caption a person reads
order = path path keys
arg=-k157
next = l8
kmarg = disable
kfile = f95
key k158
name=Key 158, the caption a person reads
order = value, keys, disable
arg=--value-158
next = l9
kmarg = m63
kfile = disable
key k159
name=Key 159, the caption a person reads
order = keys keys keys
arg=-159
next = l10
kmarg = disable
kfile = disable
key k160
name=Key 160, the caption a person reads
order = keys path value
arg=--option-160=
next = l11
kmarg = m64
kfile = f96
key k161
name=Key 161, the caption a person reads
order = path, disable
next = l12
kmarg = disable
kfile = f97
key k162
name=Key 162, the caption a person reads
order = path path keys
arg=-k162
next = l13
kmarg = disable
kfile = f98
key k163
name=Key 163, the caption a person reads
order = value, keys, disable
arg=--value-163
next = l14
kmarg = m65
kfile = disable
key k164
name=Key 164, the caption a person reads
order = keys keys keys
arg=-164
next = l15
kmarg = disable
kfile = disable
key k165
name=Key 165, the caption a person reads
order = keys path value
arg=--option-165=
next = l16
kmarg = m66
kfile = f99
key k166
name=Key 166, the caption a person reads
order = path, disable
next = l17
kmarg = disable
kfile = f0
key k167
name=Key 167, the caption a person reads
order = path path keys
arg=-k167
next = l18
kmarg = disable
kfile = f1
key k168
name=Key 168, the caption a person reads
order = value, keys, disable
arg=--value-168
next = l19
kmarg = m67
kfile = disable
key k169
name=Key 169, the caption a person reads
order = keys keys keys
arg=-169
next = l20
kmarg = disable
kfile = disable
key k170
name=Key 170, the caption a person reads
order = keys path value
arg=--option-170=
next = l21
kmarg = m68
kfile = f2
key k171
name=Key 171, the caption a person reads
order = path, disable
next = l22
kmarg = disable
kfile = f3
key k172
name=Key 172, the caption a person reads
order = path path keys
arg=-k172
next = l23
kmarg = disable
kfile = f4
key k173
name=Key 173, the caption a person reads
order = value, keys, disable
arg=--value-173
next = l24
kmarg = m69
kfile = disable
key k174
name=Key 174, the caption a person reads
order = keys keys keys
arg=-174
next = l25
kmarg = disable
kfile = disable
key k175
name=Key 175, the caption a person reads
order = keys path value
arg=--option-175=
next = l26
kmarg = m70
kfile = f5
key k176
name=Key 176, the caption a person reads
order = path, disable
next = l27
kmarg = disable
kfile = f6
key k177
name=Key 177, the caption a person reads
order = path path keys
arg=-k177
next = l28
kmarg = disable
kfile = f7
key k178
name=Key 178, the caption a person reads
order = value, keys, disable
arg=--value-178
next = l29
kmarg = m71
kfile = disable
key k179
name=Key 179, the caption a person reads
order = keys keys keys
arg=-179
next = l30
kmarg = disable
kfile = disable
key k180
name=Key 180, the caption a person reads
order = keys path value
arg=--option-180=
next = l31
kmarg = m72
kfile = f8
key k181
name=Key 181, the caption a person reads
order = path, disable
next = l32
kmarg = disable
kfile = f9
key k182
name=Key 182, the caption a person reads
order = path path keys
arg=-k182
next = l33
kmarg = disable
kfile = f10
key k183
name=Key 183, the caption a person reads
order = value, keys, disable
arg=--value-183
next = l34
kmarg = m73
kfile = disable
key k184
name=Key 184, the caption a person reads
order = keys keys keys
arg=-184
next = l35
kmarg = disable
kfile = disable
key k185
name=Key 185, the caption a person reads
order = keys path value
arg=--option-185=
next = l36
kmarg = m74
kfile = f11
key k186
name=Key 186, the caption a person reads
order = path, disable
next = l37
kmarg = disable
kfile = f12
key k187
name=Key 187, the caption a person reads
order = path path keys
arg=-k187
next = l38
kmarg = disable
kfile = f13
key k188
name=Key 188, the caption a person reads
order = value, keys, disable
arg=--value-188
next = l39
kmarg = m75
kfile = disable
key k189
name=Key 189, the caption a person reads
order = keys keys keys
arg=-189
next = l40
kmarg = disable
kfile = disable
key k190
name=Key 190, the caption a person reads
order = keys path value
arg=--option-190=
next = l41
kmarg = m76
kfile = f14
key k191
name=Key 191, the caption a person reads
order = path, disable
next = l42
kmarg = disable
kfile = f15
key k192
name=Key 192, the caption a person reads
order = path path keys
arg=-k192
next = l43
kmarg = disable
kfile = f16
key k193
name=Key 193, the caption a person reads
order = value, keys, disable
arg=--value-193
next = l44
kmarg = m77
kfile = disable
key k194
name=Key 194, the caption a person reads
order = keys keys keys
arg=-194
next = l45
kmarg = disable
kfile = disable
key k195
name=Key 195, the caption a person reads
order = keys path value
arg=--option-195=
next = l46
kmarg = m78
kfile = f17
key k196
name=Key 196, the caption a person reads
order = path, disable
next = l47
kmarg = disable
kfile = f18
key k197
name=Key 197, the caption a person reads
order = path path keys
arg=-k197
next = l48
kmarg = disable
kfile = f19
key k198
name=Key 198, the caption a person reads
order = value, keys, disable
arg=--value-198
next = l49
kmarg = m79
kfile = disable
key k199
name=Key 199, the caption a person reads
order = keys keys keys
arg=-199
next = l0
kmarg = disable
kfile = disable
key k200
name=Key 200, the caption a person reads
order = keys path value
arg=--option-200=
next = l1
kmarg = m80
kfile = f20
key k201
name=Key 201, the caption a person reads
order = path, disable
next = l2
kmarg = disable
kfile = f21
key k202
name=Key 202, the caption a person reads
order = path path keys
arg=-k202
next = l3
kmarg = disable
kfile = f22
key k203
name=Key 203, the caption a person reads
order = value, keys, disable
arg=--value-203
next = l4
kmarg = m81
kfile = disable
key k204
name=Key 204, the caption a person reads
order = keys keys keys
arg=-204
next = l5
kmarg = disable
kfile = disable
key k205
name=Key 205, the caption a person reads
order = keys path value
arg=--option-205=
next = l6
kmarg = m82
kfile = f23
key k206
name=Key 206, the caption a person reads
order = path, disable
next = l7
kmarg = disable
kfile = f24
key k207
name=Key 207, the caption a person reads
order = path path keys
arg=-k207
next = l8
kmarg = disable
kfile = f25
key k208
name=Key 208, the caption a person reads
order = value, keys, disable
arg=--value-208
next = l9
kmarg = m83
kfile = disable
key k209
name=Key 209, the caption a person reads
order = keys keys keys
arg=-209
next = l10
kmarg = disable
kfile = disable
key k210
name=Key 210, the caption a person reads
order = keys path value
arg=--option-210=
next = l11
kmarg = m84
kfile = f26
key k211
name=Key 211, the caption a person reads
order = path, disable
next = l12
kmarg = disable
kfile = f27
key k212
name=Key 212, the caption a person reads
order = path path keys
arg=-k212
next = l13
kmarg = disable
kfile = f28
key k213
name=Key 213, the caption a person reads
order = value, keys, disable
arg=--value-213
next = l14
kmarg = m85
kfile = disable
key k214
name=Key 214, the caption a person reads
order = keys keys keys
arg=-214
next = l15
kmarg = disable
kfile = disable
key k215
name=Key 215, the caption a person reads
order = keys path value
arg=--option-215=
next = l16
kmarg = m86
kfile = f29
key k216
name=Key 216, the caption a person reads
order = path, disable
next = l17
kmarg = disable
kfile = f30
key k217
name=Key 217, the caption a person reads
order = path path keys
arg=-k217
next = l18
kmarg = disable
kfile = f31
key k218
name=Key 218, the caption a person reads
order = value, keys, disable
arg=--value-218
next = l19
kmarg = m87
kfile = disable
key k219
name=Key 219, the caption a person reads
order = keys keys keys
arg=-219
next = l20
kmarg = disable
kfile = disable
key k220
name=Key 220, the caption a person reads
order = keys path value
arg=--option-220=
next = l21
kmarg = m88
kfile = f32
key k221
name=Key 221, the caption a person reads
order = path, disable
next = l22
kmarg = disable
kfile = f33
key k222
name=Key 222, the caption a person reads
order = path path keys
arg=-k222
next = l23
kmarg = disable
kfile = f34
key k223
name=Key 223, the caption a person reads
order = value, keys, disable
arg=--value-223
next = l24
kmarg = m89
kfile = disable
key k224
name=Key 224, the caption a person reads
order = keys keys keys
arg=-224
next = l25
kmarg = disable
kfile = disable
key k225
name=Key 225, the caption a person reads
order = keys path value
arg=--option-225=
next = l26
kmarg = m90
kfile = f35
key k226
name=Key 226, the caption a person reads
order = path, disable
next = l27
kmarg = disable
kfile = f36
key k227
name=Key 227, the caption a person reads
order = path path keys
arg=-k227
next = l28
kmarg = disable
kfile = f37
key k228
name=Key 228, the caption a person reads
order = value, keys, disable
arg=--value-228
next = l29
kmarg = m91
kfile = disable
key k229
name=Key 229, the caption a person reads
order = keys keys keys
arg=-229
next = l30
kmarg = disable
kfile = disable
key k230
name=Key 230, the caption a person reads
order = keys path value
arg=--option-230=
next = l31
kmarg = m92
kfile = f38
key k231
name=Key 231, the caption a person reads
order = path, disable
next = l32
kmarg = disable
kfile = f39
key k232
name=Key 232, the caption a person reads
order = path path keys
arg=-k232
next = l33
kmarg = disable
kfile = f40
key k233
name=Key 233, the caption a person reads
order = value, keys, disable
arg=--value-233
next = l34
kmarg = m93
kfile = disable
key k234
name=Key 234, the caption a person reads
order = keys keys keys
arg=-234
next = l35
kmarg = disable
kfile = disable
key k235
name=Key 235, the caption a person reads
order = keys path value
arg=--option-235=
next = l36
kmarg = m94
kfile = f41
key k236
name=Key 236, the caption a person reads
order = path, disable
next = l37
kmarg = disable
kfile = f42
key k237
name=Key 237, the caption a person reads
order = path path keys
arg=-k237
next = l38
kmarg = disable
kfile = f43
key k238
name=Key 238, the caption a person reads
order = value, keys, disable
arg=--value-238
next = l39
kmarg = m95
kfile = disable
key k239
name=Key 239, the caption a person reads
order = keys keys keys
arg=-239
next = l40
kmarg = disable
kfile = disable
key k240
name=Key 240, the caption a person reads
order = keys path value
arg=--option-240=
next = l41
kmarg = m96
kfile = f44
key k241
name=Key 241, the caption a person reads
order = path, disable
next = l42
kmarg = disable
kfile = f45
key k242
name=Key 242, the caption a person reads
order = path path keys
arg=-k242
next = l43
kmarg = disable
kfile = f46
key k243
name=Key 243, the caption a person reads
order = value, keys, disable
arg=--value-243
next = l44
kmarg = m97
kfile = disable
key k244
name=Key 244, the caption a person reads
order = keys keys keys
arg=-244
next = l45
kmarg = disable
kfile = disable
key k245
name=Key 245, the caption a person reads
order = keys path value
arg=--option-245=
next = l46
kmarg = m98
kfile = f47
key k246
name=Key 246, the caption a person reads
order = path, disable
next = l47
kmarg = disable
kfile = f48
key k247
name=Key 247, the caption a person reads
order = path path keys
arg=-k247
next = l48
kmarg = disable
kfile = f49
key k248
name=Key 248, the caption a person reads
order = value, keys, disable
arg=--value-248
next = l49
kmarg = m99
kfile = disable
key k249
name=Key 249, the caption a person reads
order = keys keys keys
arg=-249
next = l0
kmarg = disable
kfile = disable
key k250
name=Key 250, the caption a person reads
order = keys path value
arg=--option-250=
next = l1
kmarg = m0
kfile = f50
key k251
name=Key 251, the caption a person reads
order = path, disable
next = l2
kmarg = disable
kfile = f51
key k252
name=Key 252, the caption a person reads
order = path path keys
arg=-k252
next = l3
kmarg = disable
kfile = f52
key k253
name=Key 253, the caption a person reads
order = value, keys, disable
arg=--value-253
next = l4
kmarg = m1
kfile = disable
key k254
name=Key 254, the caption a person reads
order = keys keys keys
arg=-254
next = l5
kmarg = disable
kfile = disable
key k255
name=Key 255, the caption a person reads
order = keys path value
arg=--option-255=
next = l6
kmarg = m2
kfile = f53
key k256
name=Key 256, the caption a person reads
order = path, disable
next = l7
kmarg = disable
kfile = f54
key k257
name=Key 257, the caption a person reads
order = path path keys
arg=-k257
next = l8
kmarg = disable
kfile = f55
key k258
name=Key 258, the caption a person reads
order = value, keys, disable
arg=--value-258
next = l9
kmarg = m3
kfile = disable
key k259
name=Key 259, the caption a person reads
order = keys keys keys
arg=-259
next = l10
kmarg = disable
kfile = disable
key k260
name=Key 260, the caption a person reads
order = keys path value
arg=--option-260=
next = l11
kmarg = m4
kfile = f56
key k261
name=Key 261, the caption a person reads
order = path, disable
next = l12
kmarg = disable
kfile = f57
key k262
name=Key 262, the caption a person reads
order = path path keys
arg=-k262
next = l13
kmarg = disable
kfile = f58
key k263
name=Key 263, the caption a person reads
order = value, keys, disable
arg=--value-263
next = l14
kmarg = m5
kfile = disable
key k264
name=Key 264, the caption a person reads
order = keys keys keys
arg=-264
next = l15
kmarg = disable
kfile = disable
key k265
name=Key 265, the caption a person reads
order = keys path value
arg=--option-265=
next = l16
kmarg = m6
kfile = f59
key k266
name=Key 266, the caption a person reads
order = path, disable
next = l17
kmarg = disable
kfile = f60
key k267
name=Key 267, the caption a person reads
order = path path keys
arg=-k267
next = l18
kmarg = disable
kfile = f61
key k268
name=Key 268, the caption a person reads
order = value, keys, disable
arg=--value-268
next = l19
kmarg = m7
kfile = disable
key k269
name=Key 269, the caption a person reads
order = keys keys keys
arg=-269
next = l20
kmarg = disable
kfile = disable
key k270
name=Key 270, the caption a person reads
order = keys path value
arg=--option-270=
next = l21
kmarg = m8
kfile = f62
key k271
name=Key 271, the caption a person reads
order = path, disable
next = l22
kmarg = disable
kfile = f63
key k272
name=Key 272, the caption a person reads
order = path path keys
arg=-k272
next = l23
kmarg = disable
kfile = f64
key k273
name=Key 273, the caption a person reads
order = value, keys, disable
arg=--value-273
next = l24
kmarg = m9
kfile = disable
key k274
name=Key 274, the caption a person reads
order = keys keys keys
arg=-274
next = l25
kmarg = disable
kfile = disable
key k275
name=Key 275, the caption a person reads
order = keys path value
arg=--option-275=
next = l26
kmarg = m10
kfile = f65
key k276
name=Key 276, the caption a person reads
order = path, disable
next = l27
kmarg = disable
kfile = f66
key k277
name=Key 277, the caption a person reads
order = path path keys
arg=-k277
next = l28
kmarg = disable
kfile = f67
key k278
name=Key 278, the caption a person reads
order = value, keys, disable
arg=--value-278
next = l29
kmarg = m11
kfile = disable
key k279
name=Key 279, the caption a person reads
order = keys keys keys
arg=-279
next = l30
kmarg = disable
kfile = disable
key k280
name=Key 280, the caption a person reads
order = keys path value
arg=--option-280=
next = l31
kmarg = m12
kfile = f68
key k281
name=Key 281, the caption a person reads
order = path, disable
next = l32
kmarg = disable
kfile = f69
key k282
name=Key 282, the caption a person reads
order = path path keys
arg=-k282
next = l33
kmarg = disable
kfile = f70
key k283
name=Key 283, the caption a person reads
order = value, keys, disable
arg=--value-283
next = l34
kmarg = m13
kfile = disable
key k284
name=Key 284, the caption a person reads
order = keys keys keys
arg=-284
next = l35
kmarg = disable
kfile = disable
key k285
name=Key 285, the caption a person reads
order = keys path value
arg=--option-285=
next = l36
kmarg = m14
kfile = f71
key k286
name=Key 286, the caption a person reads
order = path, disable
next = l37
kmarg = disable
kfile = f72
key k287
name=Key 287, the caption a person reads
order = path path keys
arg=-k287
next = l38
kmarg = disable
kfile = f73
key k288
name=Key 288, the caption a person reads
order = value, keys, disable
arg=--value-288
next = l39
kmarg = m15
kfile = disable
key k289
name=Key 289, the caption a person reads
order = keys keys keys
arg=-289
next = l40
kmarg = disable
kfile = disable
key k290
name=Key 290, the caption a person reads
order = keys path value
arg=--option-290=
next = l41
kmarg = m16
kfile = f74
key k291
name=Key 291, the caption a person reads
order = path, disable
next = l42
kmarg = disable
kfile = f75
key k292
name=Key 292, the caption a person reads
order = path path keys
arg=-k292
next = l43
kmarg = disable
kfile = f76
key k293
name=Key 293, the caption a person reads
order = value, keys, disable
arg=--value-293
next = l44
kmarg = m17
kfile = disable
key k294
name=Key 294, the caption a person reads
order = keys keys keys
arg=-294
next = l45
kmarg = disable
kfile = disable
key k295
name=Key 295, the caption a person reads
order = keys path value
arg=--option-295=
next = l46
kmarg = m18
kfile = f77
key k296
name=Key 296, the caption a person reads
order = path, disable
next = l47
kmarg = disable
kfile = f78
key k297
name=Key 297, the caption a person reads
order = path path keys
arg=-k297
next = l48
kmarg = disable
kfile = f79
key k298
name=Key 298, the caption a person reads
order = value, keys, disable
arg=--value-298
next = l49
kmarg = m19
kfile = disable
key k299
name=Key 299, the caption a person reads
order = keys keys keys
arg=-299
next = l0
kmarg = disable
kfile = disable
key k300
name=Key 300, the caption a person reads
order = keys path value
arg=--option-300=
next = l1
kmarg = m20
kfile = f80
key k301
name=Key 301, the caption a person reads
order = path, disable
next = l2
kmarg = disable
kfile = f81
key k302
name=Key 302, the caption a person reads
order = path path keys
arg=-k302
next = l3
kmarg = disable
kfile = f82
key k303
name=Key 303, the caption a person reads
order = value, keys, disable
arg=--value-303
next = l4
kmarg = m21
kfile = disable
key k304
name=Key 304, the caption a person reads
order = keys keys keys
arg=-304
next = l5
kmarg = disable
kfile = disable
key k305
name=Key 305, the caption a person reads
order = keys path value
arg=--option-305=
next = l6
kmarg = m22
kfile = f83
key k306
name=Key 306, the caption a person reads
order = path, disable
next = l7
kmarg = disable
kfile = f84
key k307
name=Key 307, the caption a person reads
order = path path keys
arg=-k307
next = l8
kmarg = disable
kfile = f85
key k308
name=Key 308, the caption a person reads
order = value, keys, disable
arg=--value-308
next = l9
kmarg = m23
kfile = disable
key k309
name=Key 309, the caption a person reads
order = keys keys keys
arg=-309
next = l10
kmarg = disable
kfile = disable
key k310
name=Key 310, the caption a person reads
order = keys path value
arg=--option-310=
next = l11
kmarg = m24
kfile = f86
key k311
name=Key 311, the caption a person reads
order = path, disable
next = l12
kmarg = disable
kfile = f87
key k312
name=Key 312, the caption a person reads
order = path path keys
arg=-k312
next = l13
kmarg = disable
kfile = f88
key k313
name=Key 313, the caption a person reads
order = value, keys, disable
arg=--value-313
next = l14
kmarg = m25
kfile = disable
key k314
name=Key 314, the caption a person reads
order = keys keys keys
arg=-314
next = l15
kmarg = disable
kfile = disable
key k315
name=Key 315, the caption a person reads
order = keys path value
arg=--option-315=
next = l16
kmarg = m26
kfile = f89
key k316
name=Key 316, the caption a person reads
order = path, disable
next = l17
kmarg = disable
kfile = f90
key k317
name=Key 317, the caption a person reads
order = path path keys
arg=-k317
next = l18
kmarg = disable
kfile = f91
key k318
name=Key 318, the caption a person reads
order = value, keys, disable
arg=--value-318
next = l19
kmarg = m27
kfile = disable
key k319
name=Key 319, the caption a person reads
order = keys keys keys
arg=-319
next = l20
kmarg = disable
kfile = disable
key k320
name=Key 320, the caption a person reads
order = keys path value
arg=--option-320=
next = l21
kmarg = m28
kfile = f92
key k321
name=Key 321, the caption a person reads
order = path, disable
next = l22
kmarg = disable
kfile = f93
key k322
name=Key 322, the caption a person reads
order = path path keys
arg=-k322
next = l23
kmarg = disable
kfile = f94
key k323
name=Key 323, the caption a person reads
order = value, keys, disable
arg=--value-323
next = l24
kmarg = m29
kfile = disable
key k324
name=Key 324, the caption a person reads
order = keys keys keys
arg=-324
next = l25
kmarg = disable
kfile = disable
key k325
name=Key 325, the caption a person reads
order = keys path value
arg=--option-325=
next = l26
kmarg = m30
kfile = f95
key k326
name=Key 326, the caption a person reads
order = path, disable
next = l27
kmarg = disable
kfile = f96
key k327
name=Key 327, the caption a person reads
order = path path keys
arg=-k327
next = l28
kmarg = disable
kfile = f97
key k328
name=Key 328, the caption a person reads
order = value, keys, disable
arg=--value-328
next = l29
kmarg = m31
kfile = disable
key k329
name=Key 329, the caption a person reads
order = keys keys keys
arg=-329
next = l30
kmarg = disable
kfile = disable
key k330
name=Key 330, the caption a person reads
order = keys path value
arg=--option-330=
next = l31
kmarg = m32
kfile = f98
key k331
name=Key 331, the caption a person reads
order = path, disable
next = l32
kmarg = disable
kfile = f99
key k332
name=Key 332, the caption a person reads
order = path path keys
arg=-k332
next = l33
kmarg = disable
kfile = f0
key k333
name=Key 333, the caption a person reads
order = value, keys, disable
arg=--value-333
next = l34
kmarg = m33
kfile = disable
key k334
name=Key 334, the caption a person reads
order = keys keys keys
arg=-334
next = l35
kmarg = disable
kfile = disable
key k335
name=Key 335, the caption a person reads
order = keys path value
arg=--option-335=
next = l36
kmarg = m34
kfile = f1
key k336
name=Key 336, the caption a person reads
order = path, disable
next = l37
kmarg = disable
kfile = f2
key k337
name=Key 337, the caption a person reads
order = path path keys
arg=-k337
next = l38
kmarg = disable
kfile = f3
key k338
name=Key 338, the caption a person reads
order = value, keys, disable
arg=--value-338
next = l39
kmarg = m35
kfile = disable
key k339
name=Key 339, the caption a person reads
order = keys keys keys
arg=-339
next = l40
kmarg = disable
kfile = disable
key k340
name=Key 340, the caption a person reads
order = keys path value
arg=--option-340=
next = l41
kmarg = m36
kfile = f4
key k341
name=Key 341, the caption a person reads
order = path, disable
next = l42
kmarg = disable
kfile = f5
key k342
name=Key 342, the caption a person reads
order = path path keys
arg=-k342
next = l43
kmarg = disable
kfile = f6
key k343
name=Key 343, the caption a person reads
order = value, keys, disable
arg=--value-343
next = l44
kmarg = m37
kfile = disable
key k344
name=Key 344, the caption a person reads
order = keys keys keys
arg=-344
next = l45
kmarg = disable
kfile = disable
key k345
name=Key 345, the caption a person reads
order = keys path value
arg=--option-345=
next = l46
kmarg = m38
kfile = f7
key k346
name=Key 346, the caption a person reads
order = path, disable
next = l47
kmarg = disable
kfile = f8
key k347
name=Key 347, the caption a person reads
order = path path keys
arg=-k347
next = l48
kmarg = disable
kfile = f9
key k348
name=Key 348, the caption a person reads
order = value, keys, disable
arg=--value-348
next = l49
kmarg = m39
kfile = disable
key k349
name=Key 349, the caption a person reads
order = keys keys keys
arg=-349
next = l0
kmarg = disable
kfile = disable
key k350
name=Key 350, the caption a person reads
order = keys path value
arg=--option-350=
next = l1
kmarg = m40
kfile = f10
key k351
name=Key 351, the caption a person reads
order = path, disable
next = l2
kmarg = disable
kfile = f11
key k352
name=Key 352, the caption a person reads
order = path path keys
arg=-k352
next = l3
kmarg = disable
kfile = f12
key k353
name=Key 353, the caption a person reads
order = value, keys, disable
arg=--value-353
next = l4
kmarg = m41
kfile = disable
key k354
name=Key 354, the caption a person reads
order = keys keys keys
arg=-354
next = l5
kmarg = disable
kfile = disable
key k355
name=Key 355, the caption a person reads
order = keys path value
arg=--option-355=
next = l6
kmarg = m42
kfile = f13
key k356
name=Key 356, the caption a person reads
order = path, disable
next = l7
kmarg = disable
kfile = f14
key k357
name=Key 357, the caption a person reads
order = path path keys
arg=-k357
next = l8
kmarg = disable
kfile = f15
key k358
name=Key 358, the caption a person reads
order = value, keys, disable
arg=--value-358
next = l9
kmarg = m43
kfile = disable
key k359
name=Key 359, the caption a person reads
order = keys keys keys
arg=-359
next = l10
kmarg = disable
kfile = disable
key k360
name=Key 360, the caption a person reads
order = keys path value
arg=--option-360=
next = l11
kmarg = m44
kfile = f16
key k361
name=Key 361, the caption a person reads
order = path, disable
next = l12
kmarg = disable
kfile = f17
key k362
name=Key 362, the caption a person reads
order = path path keys
arg=-k362
next = l13
kmarg = disable
kfile = f18
key k363
name=Key 363, the caption a person reads
order = value, keys, disable
arg=--value-363
next = l14
kmarg = m45
kfile = disable
key k364
name=Key 364, the caption a person reads
order = keys keys keys
arg=-364
next = l15
kmarg = disable
kfile = disable
key k365
name=Key 365, the caption a person reads
order = keys path value
arg=--option-365=
next = l16
kmarg = m46
kfile = f19
key k366
name=Key 366, the caption a person reads
order = path, disable
next = l17
kmarg = disable
kfile = f20
key k367
name=Key 367, the caption a person reads
order = path path keys
arg=-k367
next = l18
kmarg = disable
kfile = f21
key k368
name=Key 368, the caption a person reads
order = value, keys, disable
arg=--value-368
next = l19
kmarg = m47
kfile = disable
key k369
name=Key 369, the caption a person reads
order = keys keys keys
arg=-369
next = l20
kmarg = disable
kfile = disable
key k370
name=Key 370, the caption a person reads
order = keys path value
arg=--option-370=
next = l21
kmarg = m48
kfile = f22
key k371
name=Key 371, the caption a person reads
order = path, disable
next = l22
kmarg = disable
kfile = f23
key k372
name=Key 372, the caption a person reads
order = path path keys
arg=-k372
next = l23
kmarg = disable
kfile = f24
key k373
name=Key 373, the caption a person reads
order = value, keys, disable
arg=--value-373
next = l24
kmarg = m49
kfile = disable
key k374
name=Key 374, the caption a person reads
order = keys keys keys
arg=-374
next = l25
kmarg = disable
kfile = disable
key k375
name=Key 375, the caption a person reads
order = keys path value
arg=--option-375=
next = l26
kmarg = m50
kfile = f25
key k376
name=Key 376, the caption a person reads
order = path, disable
next = l27
kmarg = disable
kfile = f26
key k377
name=Key 377, the caption a person reads
order = path path keys
arg=-k377
next = l28
kmarg = disable
kfile = f27
key k378
name=Key 378, the caption a person reads
order = value, keys, disable
arg=--value-378
next = l29
kmarg = m51
kfile = disable
key k379
name=Key 379, the caption a person reads
order = keys keys keys
arg=-379
next = l30
kmarg = disable
kfile = disable
key k380
name=Key 380, the caption a person reads
order = keys path value
arg=--option-380=
next = l31
kmarg = m52
kfile = f28
key k381
name=Key 381, the caption a person reads
order = path, disable
next = l32
kmarg = disable
kfile = f29
key k382
name=Key 382, the caption a person reads
order = path path keys
arg=-k382
next = l33
kmarg = disable
kfile = f30
key k383
name=Key 383, the caption a person reads
order = value, keys, disable
arg=--value-383
next = l34
kmarg = m53
kfile = disable
key k384
name=Key 384, the caption a person reads
order = keys keys keys
arg=-384
next = l35
kmarg = disable
kfile = disable
key k385
name=Key 385, the caption a person reads
order = keys path value
arg=--option-385=
next = l36
kmarg = m54
kfile = f31
key k386
name=Key 386, the caption a person reads
order = path, disable
next = l37
kmarg = disable
kfile = f32
key k387
name=Key 387, the caption a person reads
order = path path keys
arg=-k387
next = l38
kmarg = disable
kfile = f33
key k388
name=Key 388, the caption a person reads
order = value, keys, disable
arg=--value-388
next = l39
kmarg = m55
kfile = disable
key k389
name=Key 389, the caption a person reads
order = keys keys keys
arg=-389
next = l40
kmarg = disable
kfile = disable
key k390
name=Key 390, the caption a person reads
order = keys path value
arg=--option-390=
next = l41
kmarg = m56
kfile = f34
key k391
name=Key 391, the caption a person reads
order = path, disable
next = l42
kmarg = disable
kfile = f35
key k392
name=Key 392, the caption a person reads
order = path path keys
arg=-k392
next = l43
kmarg = disable
kfile = f36
key k393
name=Key 393, the caption a person reads
order = value, keys, disable
arg=--value-393
next = l44
kmarg = m57
kfile = disable
key k394
name=Key 394, the caption a person reads
order = keys keys keys
arg=-394
next = l45
kmarg = disable
kfile = disable
key k395
name=Key 395, the caption a person reads
order = keys path value
arg=--option-395=
next = l46
kmarg = m58
kfile = f37
key k396
name=Key 396, the caption a person reads
order = path, disable
next = l47
kmarg = disable
kfile = f38
key k397
name=Key 397, the caption a person reads
order = path path keys
arg=-k397
next = l48
kmarg = disable
kfile = f39
key k398
name=Key 398, the caption a person reads
order = value, keys, disable
arg=--value-398
next = l49
kmarg = m59
kfile = disable
key k399
name=Key 399, the caption a person reads
order = keys keys keys
arg=-399
next = l0
kmarg = disable
kfile = disable
key k400
name=Key 400, the caption a person reads
order = keys path value
arg=--option-400=
next = l1
kmarg = m60
kfile = f40
key k401
name=Key 401, the caption a person reads
order = path, disable
next = l2
kmarg = disable
kfile = f41
key k402
name=Key 402, the caption a person reads
order = path path keys
arg=-k402
next = l3
kmarg = disable
kfile = f42
key k403
name=Key 403, the caption a person reads
order = value, keys, disable
arg=--value-403
next = l4
kmarg = m61
kfile = disable
key k404
name=Key 404, the caption a person reads
order = keys keys keys
arg=-404
next = l5
kmarg = disable
kfile = disable
key k405
name=Key 405, the caption a person reads
order = keys path value
arg=--option-405=
next = l6
kmarg = m62
kfile = f43
key k406
name=Key 406, the caption a person reads
order = path, disable
next = l7
kmarg = disable
kfile = f44
key k407
name=Key 407, the caption a person reads
order = path path keys
arg=-k407
next = l8
kmarg = disable
kfile = f45
key k408
name=Key 408, the caption a person reads
order = value, keys, disable
arg=--value-408
next = l9
kmarg = m63
kfile = disable
key k409
name=Key 409, the caption a person reads
order = keys keys keys
arg=-409
next = l10
kmarg = disable
kfile = disable
key k410
name=Key 410, the caption a person reads
order = keys path value
arg=--option-410=
next = l11
kmarg = m64
kfile = f46
key k411
name=Key 411, the caption a person reads
order = path, disable
next = l12
kmarg = disable
kfile = f47
key k412
name=Key 412, the caption a person reads
order = path path keys
arg=-k412
next = l13
kmarg = disable
kfile = f48
key k413
name=Key 413, the caption a person reads
order = value, keys, disable
arg=--value-413
next = l14
kmarg = m65
kfile = disable
key k414
name=Key 414, the caption a person reads
order = keys keys keys
arg=-414
next = l15
kmarg = disable
kfile = disable
key k415
name=Key 415, the caption a person reads
order = keys path value
arg=--option-415=
next = l16
kmarg = m66
kfile = f49
key k416
name=Key 416, the caption a person reads
order = path, disable
next = l17
kmarg = disable
kfile = f50
key k417
name=Key 417, the caption a person reads
order = path path keys
arg=-k417
next = l18
kmarg = disable
kfile = f51
key k418
name=Key 418, the caption a person reads
order = value, keys, disable
arg=--value-418
next = l19
kmarg = m67
kfile = disable
key k419
name=Key 419, the caption a person reads
order = keys keys keys
arg=-419
next = l20
kmarg = disable
kfile = disable
key k420
name=Key 420, the caption a person reads
order = keys path value
arg=--option-420=
next = l21
kmarg = m68
kfile = f52
key k421
name=Key 421, the caption a person reads
order = path, disable
next = l22
kmarg = disable
kfile = f53
key k422
name=Key 422, the caption a person reads
order = path path keys
arg=-k422
next = l23
kmarg = disable
kfile = f54
key k423
name=Key 423, the caption a person reads
order = value, keys, disable
arg=--value-423
next = l24
kmarg = m69
kfile = disable
key k424
name=Key 424, the caption a person reads
order = keys keys keys
arg=-424
next = l25
kmarg = disable
kfile = disable
key k425
name=Key 425, the caption a person reads
order = keys path value
arg=--option-425=
next = l26
kmarg = m70
kfile = f55
key k426
name=Key 426, the caption a person reads
order = path, disable
next = l27
kmarg = disable
kfile = f56
key k427
name=Key 427, the caption a person reads
order = path path keys
arg=-k427
next = l28
kmarg = disable
kfile = f57
key k428
name=Key 428, the caption a person reads
order = value, keys, disable
arg=--value-428
next = l29
kmarg = m71
kfile = disable
key k429
name=Key 429, the caption a person reads
order = keys keys keys
arg=-429
next = l30
kmarg = disable
kfile = disable
key k430
name=Key 430, the caption a person reads
order = keys path value
arg=--option-430=
next = l31
kmarg = m72
kfile = f58
key k431
name=Key 431, the caption a person reads
order = path, disable
next = l32
kmarg = disable
kfile = f59
key k432
name=Key 432, the caption a person reads
order = path path keys
arg=-k432
next = l33
kmarg = disable
kfile = f60
key k433
name=Key 433, the caption a person reads
order = value, keys, disable
arg=--value-433
next = l34
kmarg = m73
kfile = disable
key k434
name=Key 434, the caption a person reads
order = keys keys keys
arg=-434
next = l35
kmarg = disable
kfile = disable
key k435
name=Key 435, the caption a person reads
order = keys path value
arg=--option-435=
next = l36
kmarg = m74
kfile = f61
key k436
name=Key 436, the caption a person reads
order = path, disable
next = l37
kmarg = disable
kfile = f62
key k437
name=Key 437, the caption a person reads
order = path path keys
arg=-k437
next = l38
kmarg = disable
kfile = f63
key k438
name=Key 438, the caption a person reads
order = value, keys, disable
arg=--value-438
next = l39
kmarg = m75
kfile = disable
key k439
name=Key 439, the caption a person reads
order = keys keys keys
arg=-439
next = l40
kmarg = disable
kfile = disable
key k440
name=Key 440, the caption a person reads
order = keys path value
arg=--option-440=
next = l41
kmarg = m76
kfile = f64
key k441
name=Key 441, the caption a person reads
order = path, disable
next = l42
kmarg = disable
kfile = f65
key k442
name=Key 442, the caption a person reads
order = path path keys
arg=-k442
next = l43
kmarg = disable
kfile = f66
key k443
name=Key 443, the caption a person reads
order = value, keys, disable
arg=--value-443
next = l44
kmarg = m77
kfile = disable
key k444
name=Key 444, the caption a person reads
order = keys keys keys
arg=-444
next = l45
kmarg = disable
kfile = disable
key k445
name=Key 445, the caption a person reads
order = keys path value
arg=--option-445=
next = l46
kmarg = m78
kfile = f67
key k446
name=Key 446, the caption a person reads
order = path, disable
next = l47
kmarg = disable
kfile = f68
key k447
name=Key 447, the caption a person reads
order = path path keys
arg=-k447
next = l48
kmarg = disable
kfile = f69
key k448
name=Key 448, the caption a person reads
order = value, keys, disable
arg=--value-448
next = l49
kmarg = m79
kfile = disable
key k449
name=Key 449, the caption a person reads
order = keys keys keys
arg=-449
next = l0
kmarg = disable
kfile = disable
key k450
name=Key 450, the caption a person reads
order = keys path value
arg=--option-450=
next = l1
kmarg = m80
kfile = f70
key k451
name=Key 451, the caption a person reads
order = path, disable
next = l2
kmarg = disable
kfile = f71
key k452
name=Key 452, the caption a person reads
order = path path keys
arg=-k452
next = l3
kmarg = disable
kfile = f72
key k453
name=Key 453, the caption a person reads
order = value, keys, disable
arg=--value-453
next = l4
kmarg = m81
kfile = disable
key k454
name=Key 454, the caption a person reads
order = keys keys keys
arg=-454
next = l5
kmarg = disable
kfile = disable
key k455
name=Key 455, the caption a person reads
order = keys path value
arg=--option-455=
next = l6
kmarg = m82
kfile = f73
key k456
name=Key 456, the caption a person reads
order = path, disable
next = l7
kmarg = disable
kfile = f74
key k457
name=Key 457, the caption a person reads
order = path path keys
arg=-k457
next = l8
kmarg = disable
kfile = f75
key k458
name=Key 458, the caption a person reads
order = value, keys, disable
arg=--value-458
next = l9
kmarg = m83
kfile = disable
key k459
name=Key 459, the caption a person reads
order = keys keys keys
arg=-459
next = l10
kmarg = disable
kfile = disable
key k460
name=Key 460, the caption a person reads
order = keys path value
arg=--option-460=
next = l11
kmarg = m84
kfile = f76
key k461
name=Key 461, the caption a person reads
order = path, disable
next = l12
kmarg = disable
kfile = f77
key k462
name=Key 462, the caption a person reads
order = path path keys
arg=-k462
next = l13
kmarg = disable
kfile = f78
key k463
name=Key 463, the caption a person reads
order = value, keys, disable
arg=--value-463
next = l14
kmarg = m85
kfile = disable
key k464
name=Key 464, the caption a person reads
order = keys keys keys
arg=-464
next = l15
kmarg = disable
kfile = disable
key k465
name=Key 465, the caption a person reads
order = keys path value
arg=--option-465=
next = l16
kmarg = m86
kfile = f79
key k466
name=Key 466, the caption a person reads
order = path, disable
next = l17
kmarg = disable
kfile = f80
key k467
name=Key 467, the caption a person reads
order = path path keys
arg=-k467
next = l18
kmarg = disable
kfile = f81
key k468
name=Key 468, the caption a person reads
order = value, keys, disable
arg=--value-468
next = l19
kmarg = m87
kfile = disable
key k469
name=Key 469, the caption a person reads
order = keys keys keys
arg=-469
next = l20
kmarg = disable
kfile = disable
key k470
name=Key 470, the caption a person reads
order = keys path value
arg=--option-470=
next = l21
kmarg = m88
kfile = f82
key k471
name=Key 471, the caption a person reads
order = path, disable
next = l22
kmarg = disable
kfile = f83
key k472
name=Key 472, the caption a person reads
order = path path keys
arg=-k472
next = l23
kmarg = disable
kfile = f84
key k473
name=Key 473, the caption a person reads
order = value, keys, disable
arg=--value-473
next = l24
kmarg = m89
kfile = disable
key k474
name=Key 474, the caption a person reads
order = keys keys keys
arg=-474
next = l25
kmarg = disable
kfile = disable
key k475
name=Key 475, the caption a person reads
order = keys path value
arg=--option-475=
next = l26
kmarg = m90
kfile = f85
key k476
name=Key 476, the caption a person reads
order = path, disable
next = l27
kmarg = disable
kfile = f86
key k477
name=Key 477, the caption a person reads
order = path path keys
arg=-k477
next = l28
kmarg = disable
kfile = f87
key k478
name=Key 478, the caption a person reads
order = value, keys, disable
arg=--value-478
next = l29
kmarg = m91
kfile = disable
key k479
name=Key 479, the caption a person reads
order = keys keys keys
arg=-479
next = l30
kmarg = disable
kfile = disable
key k480
name=Key 480, the caption a person reads
order = keys path value
arg=--option-480=
next = l31
kmarg = m92
kfile = f88
key k481
name=Key 481, the caption a person reads
order = path, disable
next = l32
kmarg = disable
kfile = f89
key k482
name=Key 482, the caption a person reads
order = path path keys
arg=-k482
next = l33
kmarg = disable
kfile = f90
key k483
name=Key 483, the caption a person reads
order = value, keys, disable
arg=--value-483
next = l34
kmarg = m93
kfile = disable
key k484
name=Key 484, the caption a person reads
order = keys keys keys
arg=-484
next = l35
kmarg = disable
kfile = disable
key k485
name=Key 485, the caption a person reads
order = keys path value
arg=--option-485=
next = l36
kmarg = m94
kfile = f91
key k486
name=Key 486, the caption a person reads
order = path, disable
next = l37
kmarg = disable
kfile = f92
key k487
name=Key 487, the caption a person reads
order = path path keys
arg=-k487
next = l38
kmarg = disable
kfile = f93
key k488
name=Key 488, the caption a person reads
order = value, keys, disable
arg=--value-488
next = l39
kmarg = m95
kfile = disable
key k489
name=Key 489, the caption a person reads
order = keys keys keys
arg=-489
next = l40
kmarg = disable
kfile = disable
key k490
name=Key 490, the caption a person reads
order = keys path value
arg=--option-490=
next = l41
kmarg = m96
kfile = f94
key k491
name=Key 491, the caption a person reads
order = path, disable
next = l42
kmarg = disable
kfile = f95
key k492
name=Key 492, the caption a person reads
order = path path keys
arg=-k492
next = l43
kmarg = disable
kfile = f96
key k493
name=Key 493, the caption a person reads
order = value, keys, disable
arg=--value-493
next = l44
kmarg = m97
kfile = disable
key k494
name=Key 494, the caption a person reads
order = keys keys keys
arg=-494
next = l45
kmarg = disable
kfile = disable
key k495
name=Key 495, the caption a person reads
order = keys path value
arg=--option-495=
next = l46
kmarg = m98
kfile = f97
key k496
name=Key 496, the caption a person reads
order = path, disable
next = l47
kmarg = disable
kfile = f98
key k497
name=Key 497, the caption a person reads
order = path path keys
arg=-k497
next = l48
kmarg = disable
kfile = f99
key k498
name=Key 498, the caption a person reads
order = value, keys, disable
arg=--value-498
next = l49
kmarg = m99
kfile = disable
key k499
name=Key 499, the caption a person reads
order = keys keys keys
arg=-499
next = l0
kmarg = disable
kfile = disable

file f0
name=File 0
action = load
filters = t0, t1, t2, t3, t4
file f1
name=File 1
action = dir
file f2
name=File 2
action = save
filters = t5, t6, t7, t8, t9
file f3
name=File 3
action = load
filters = t10, t11, t12, t13, t14
file f4
name=File 4
action = dir
file f5
name=File 5
action = save
filters = t15, t16, t17, t18, t19
file f6
name=File 6
action = load
filters = t20, t21, t22, t23, t24
file f7
name=File 7
action = dir
file f8
name=File 8
action = save
filters = t25, t26, t27, t28, t29
file f9
name=File 9
action = load
filters = t30, t31, t32, t33, t34
file f10
name=File 10
action = dir
file f11
name=File 11
action = save
filters = t35, t36, t37, t38, t39
file f12
name=File 12
action = load
filters = t40, t41, t42, t43, t44
file f13
name=File 13
action = dir
file f14
name=File 14
action = save
filters = t45, t46, t47, t48, t49
file f15
name=File 15
action = load
filters = t0, t1, t2, t3, t4
file f16
name=File 16
action = dir
file f17
name=File 17
action = save
filters = t5, t6, t7, t8, t9
file f18
name=File 18
action = load
filters = t10, t11, t12, t13, t14
file f19
name=File 19
action = dir
file f20
name=File 20
action = save
filters = t15, t16, t17, t18, t19
file f21
name=File 21
action = load
filters = t20, t21, t22, t23, t24
file f22
name=File 22
action = dir
file f23
name=File 23
action = save
filters = t25, t26, t27, t28, t29
file f24
name=File 24
action = load
filters = t30, t31, t32, t33, t34
file f25
name=File 25
action = dir
file f26
name=File 26
action = save
filters = t35, t36, t37, t38, t39
file f27
name=File 27
action = load
filters = t40, t41, t42, t43, t44
file f28
name=File 28
action = dir
file f29
name=File 29
action = save
filters = t45, t46, t47, t48, t49
file f30
name=File 30
action = load
filters = t0, t1, t2, t3, t4
file f31
name=File 31
action = dir
file f32
name=File 32
action = save
filters = t5, t6, t7, t8, t9
file f33
name=File 33
action = load
filters = t10, t11, t12, t13, t14
file f34
name=File 34
action = dir
file f35
name=File 35
action = save
filters = t15, t16, t17, t18, t19
file f36
name=File 36
action = load
filters = t20, t21, t22, t23, t24
file f37
name=File 37
action = dir
file f38
name=File 38
action = save
filters = t25, t26, t27, t28, t29
file f39
name=File 39
action = load
filters = t30, t31, t32, t33, t34
file f40
name=File 40
action = dir
file f41
name=File 41
action = save
filters = t35, t36, t37, t38, t39
file f42
name=File 42
action = load
filters = t40, t41, t42, t43, t44
file f43
name=File 43
action = dir
file f44
name=File 44
action = save
filters = t45, t46, t47, t48, t49
file f45
name=File 45
action = load
filters = t0, t1, t2, t3, t4
file f46
name=File 46
action = dir
file f47
name=File 47
action = save
filters = t5, t6, t7, t8, t9
file f48
name=File 48
action = load
filters = t10, t11, t12, t13, t14
file f49
name=File 49
action = dir
file f50
name=File 50
action = save
filters = t15, t16, t17, t18, t19
file f51
name=File 51
action = load
filters = t20, t21, t22, t23, t24
file f52
name=File 52
action = dir
file f53
name=File 53
action = save
filters = t25, t26, t27, t28, t29
file f54
name=File 54
action = load
filters = t30, t31, t32, t33, t34
file f55
name=File 55
action = dir
file f56
name=File 56
action = save
filters = t35, t36, t37, t38, t39
file f57
name=File 57
action = load
filters = t40, t41, t42, t43, t44
file f58
name=File 58
action = dir
file f59
name=File 59
action = save
filters = t45, t46, t47, t48, t49
file f60
name=File 60
action = load
filters = t0, t1, t2, t3, t4
file f61
name=File 61
action = dir
file f62
name=File 62
action = save
filters = t5, t6, t7, t8, t9
file f63
name=File 63
action = load
filters = t10, t11, t12, t13, t14
file f64
name=File 64
action = dir
file f65
name=File 65
action = save
filters = t15, t16, t17, t18, t19
file f66
name=File 66
action = load
filters = t20, t21, t22, t23, t24
file f67
name=File 67
action = dir
file f68
name=File 68
action = save
filters = t25, t26, t27, t28, t29
file f69
name=File 69
action = load
filters = t30, t31, t32, t33, t34
file f70
name=File 70
action = dir
file f71
name=File 71
action = save
filters = t35, t36, t37, t38, t39
file f72
name=File 72
action = load
filters = t40, t41, t42, t43, t44
file f73
name=File 73
action = dir
file f74
name=File 74
action = save
filters = t45, t46, t47, t48, t49
file f75
name=File 75
action = load
filters = t0, t1, t2, t3, t4
file f76
name=File 76
action = dir
file f77
name=File 77
action = save
filters = t5, t6, t7, t8, t9
file f78
name=File 78
action = load
filters = t10, t11, t12, t13, t14
file f79
name=File 79
action = dir
file f80
name=File 80
action = save
filters = t15, t16, t17, t18, t19
file f81
name=File 81
action = load
filters = t20, t21, t22, t23, t24
file f82
name=File 82
action = dir
file f83
name=File 83
action = save
filters = t25, t26, t27, t28, t29
file f84
name=File 84
action = load
filters = t30, t31, t32, t33, t34
file f85
name=File 85
action = dir
file f86
name=File 86
action = save
filters = t35, t36, t37, t38, t39
file f87
name=File 87
action = load
filters = t40, t41, t42, t43, t44
file f88
name=File 88
action = dir
file f89
name=File 89
action = save
filters = t45, t46, t47, t48, t49
file f90
name=File 90
action = load
filters = t0, t1, t2, t3, t4
file f91
name=File 91
action = dir
file f92
name=File 92
action = save
filters = t5, t6, t7, t8, t9
file f93
name=File 93
action = load
filters = t10, t11, t12, t13, t14
file f94
name=File 94
action = dir
file f95
name=File 95
action = save
filters = t15, t16, t17, t18, t19
file f96
name=File 96
action = load
filters = t20, t21, t22, t23, t24
file f97
name=File 97
action = dir
file f98
name=File 98
action = save
filters = t25, t26, t27, t28, t29
file f99
name=File 99
action = load
filters = t30, t31, t32, t33, t34

filter t0
name=Filter 0
exten = a0, b0, c0, d0, e0, f0, g0, h0, i0, j0
filter t1
name=Filter 1
exten = a1, b1, c1, d1, e1, f1, g1, h1, i1, j1
filter t2
name=Filter 2
exten = a2, b2, c2, d2, e2, f2, g2, h2, i2, j2
filter t3
name=Filter 3
exten = a3, b3, c3, d3, e3, f3, g3, h3, i3, j3
filter t4
name=Filter 4
exten = a4, b4, c4, d4, e4, f4, g4, h4, i4, j4
filter t5
name=Filter 5
exten = a5, b5, c5, d5, e5, f5, g5, h5, i5, j5
filter t6
name=Filter 6
exten = a6, b6, c6, d6, e6, f6, g6, h6, i6, j6
filter t7
name=Filter 7
exten = a7, b7, c7, d7, e7, f7, g7, h7, i7, j7
filter t8
name=Filter 8
exten = a8, b8, c8, d8, e8, f8, g8, h8, i8, j8
filter t9
name=Filter 9
exten = a9, b9, c9, d9, e9, f9, g9, h9, i9, j9
filter t10
name=Filter 10
exten = a10, b10, c10, d10, e10, f10, g10, h10, i10, j10
filter t11
name=Filter 11
exten = a11, b11, c11, d11, e11, f11, g11, h11, i11, j11
filter t12
name=Filter 12
exten = a12, b12, c12, d12, e12, f12, g12, h12, i12, j12
filter t13
name=Filter 13
exten = a13, b13, c13, d13, e13, f13, g13, h13, i13, j13
filter t14
name=Filter 14
exten = a14, b14, c14, d14, e14, f14, g14, h14, i14, j14
filter t15
name=Filter 15
exten = a15, b15, c15, d15, e15, f15, g15, h15, i15, j15
filter t16
name=Filter 16
exten = a16, b16, c16, d16, e16, f16, g16, h16, i16, j16
filter t17
name=Filter 17
exten = a17, b17, c17, d17, e17, f17, g17, h17, i17, j17
filter t18
name=Filter 18
exten = a18, b18, c18, d18, e18, f18, g18, h18, i18, j18
filter t19
name=Filter 19
exten = a19, b19, c19, d19, e19, f19, g19, h19, i19, j19
filter t20
name=Filter 20
exten = a20, b20, c20, d20, e20, f20, g20, h20, i20, j20
filter t21
name=Filter 21
exten = a21, b21, c21, d21, e21, f21, g21, h21, i21, j21
filter t22
name=Filter 22
exten = a22, b22, c22, d22, e22, f22, g22, h22, i22, j22
filter t23
name=Filter 23
exten = a23, b23, c23, d23, e23, f23, g23, h23, i23, j23
filter t24
name=Filter 24
exten = a24, b24, c24, d24, e24, f24, g24, h24, i24, j24
filter t25
name=Filter 25
exten = a25, b25, c25, d25, e25, f25, g25, h25, i25, j25
filter t26
name=Filter 26
exten = a26, b26, c26, d26, e26, f26, g26, h26, i26, j26
filter t27
name=Filter 27
exten = a27, b27, c27, d27, e27, f27, g27, h27, i27, j27
filter t28
name=Filter 28
exten = a28, b28, c28, d28, e28, f28, g28, h28, i28, j28
filter t29
name=Filter 29
exten = a29, b29, c29, d29, e29, f29, g29, h29, i29, j29
filter t30
name=Filter 30
exten = a30, b30, c30, d30, e30, f30, g30, h30, i30, j30
filter t31
name=Filter 31
exten = a31, b31, c31, d31, e31, f31, g31, h31, i31, j31
filter t32
name=Filter 32
exten = a32, b32, c32, d32, e32, f32, g32, h32, i32, j32
filter t33
name=Filter 33
exten = a33, b33, c33, d33, e33, f33, g33, h33, i33, j33
filter t34
name=Filter 34
exten = a34, b34, c34, d34, e34, f34, g34, h34, i34, j34
filter t35
name=Filter 35
exten = a35, b35, c35, d35, e35, f35, g35, h35, i35, j35
filter t36
name=Filter 36
exten = a36, b36, c36, d36, e36, f36, g36, h36, i36, j36
filter t37
name=Filter 37
exten = a37, b37, c37, d37, e37, f37, g37, h37, i37, j37
filter t38
name=Filter 38
exten = a38, b38, c38, d38, e38, f38, g38, h38, i38, j38
filter t39
name=Filter 39
exten = a39, b39, c39, d39, e39, f39, g39, h39, i39, j39
filter t40
name=Filter 40
exten = a40, b40, c40, d40, e40, f40, g40, h40, i40, j40
filter t41
name=Filter 41
exten = a41, b41, c41, d41, e41, f41, g41, h41, i41, j41
filter t42
name=Filter 42
exten = a42, b42, c42, d42, e42, f42, g42, h42, i42, j42
filter t43
name=Filter 43
exten = a43, b43, c43, d43, e43, f43, g43, h43, i43, j43
filter t44
name=Filter 44
exten = a44, b44, c44, d44, e44, f44, g44, h44, i44, j44
filter t45
name=Filter 45
exten = a45, b45, c45, d45, e45, f45, g45, h45, i45, j45
filter t46
name=Filter 46
exten = a46, b46, c46, d46, e46, f46, g46, h46, i46, j46
filter t47
name=Filter 47
exten = a47, b47, c47, d47, e47, f47, g47, h47, i47, j47
filter t48
name=Filter 48
exten = a48, b48, c48, d48, e48, f48, g48, h48, i48, j48
filter t49
name=Filter 49
exten = a49, b49, c49, d49, e49, f49, g49, h49, i49, j49

marg m0
name=Marg 0
info=First line<@Second line 0
marg m1
name=Marg 1
info=First line<@Second line 1
marg m2
name=Marg 2
info=First line<@Second line 2
marg m3
name=Marg 3
info=First line<@Second line 3
marg m4
name=Marg 4
info=First line<@Second line 4
marg m5
name=Marg 5
info=First line<@Second line 5
marg m6
name=Marg 6
info=First line<@Second line 6
marg m7
name=Marg 7
info=First line<@Second line 7
marg m8
name=Marg 8
info=First line<@Second line 8
marg m9
name=Marg 9
info=First line<@Second line 9
marg m10
name=Marg 10
info=First line<@Second line 10
marg m11
name=Marg 11
info=First line<@Second line 11
marg m12
name=Marg 12
info=First line<@Second line 12
marg m13
name=Marg 13
info=First line<@Second line 13
marg m14
name=Marg 14
info=First line<@Second line 14
marg m15
name=Marg 15
info=First line<@Second line 15
marg m16
name=Marg 16
info=First line<@Second line 16
marg m17
name=Marg 17
info=First line<@Second line 17
marg m18
name=Marg 18
info=First line<@Second line 18
marg m19
name=Marg 19
info=First line<@Second line 19
marg m20
name=Marg 20
info=First line<@Second line 20
marg m21
name=Marg 21
info=First line<@Second line 21
marg m22
name=Marg 22
info=First line<@Second line 22
marg m23
name=Marg 23
info=First line<@Second line 23
marg m24
name=Marg 24
info=First line<@Second line 24
marg m25
name=Marg 25
info=First line<@Second line 25
marg m26
name=Marg 26
info=First line<@Second line 26
marg m27
name=Marg 27
info=First line<@Second line 27
marg m28
name=Marg 28
info=First line<@Second line 28
marg m29
name=Marg 29
info=First line<@Second line 29
marg m30
name=Marg 30
info=First line<@Second line 30
marg m31
name=Marg 31
info=First line<@Second line 31
marg m32
name=Marg 32
info=First line<@Second line 32
marg m33
name=Marg 33
info=First line<@Second line 33
marg m34
name=Marg 34
info=First line<@Second line 34
marg m35
name=Marg 35
info=First line<@Second line 35
marg m36
name=Marg 36
info=First line<@Second line 36
marg m37
name=Marg 37
info=First line<@Second line 37
marg m38
name=Marg 38
info=First line<@Second line 38
marg m39
name=Marg 39
info=First line<@Second line 39
marg m40
name=Marg 40
info=First line<@Second line 40
marg m41
name=Marg 41
info=First line<@Second line 41
marg m42
name=Marg 42
info=First line<@Second line 42
marg m43
name=Marg 43
info=First line<@Second line 43
marg m44
name=Marg 44
info=First line<@Second line 44
marg m45
name=Marg 45
info=First line<@Second line 45
marg m46
name=Marg 46
info=First line<@Second line 46
marg m47
name=Marg 47
info=First line<@Second line 47
marg m48
name=Marg 48
info=First line<@Second line 48
marg m49
name=Marg 49
info=First line<@Second line 49
marg m50
name=Marg 50
info=First line<@Second line 50
marg m51
name=Marg 51
info=First line<@Second line 51
marg m52
name=Marg 52
info=First line<@Second line 52
marg m53
name=Marg 53
info=First line<@Second line 53
marg m54
name=Marg 54
info=First line<@Second line 54
marg m55
name=Marg 55
info=First line<@Second line 55
marg m56
name=Marg 56
info=First line<@Second line 56
marg m57
name=Marg 57
info=First line<@Second line 57
marg m58
name=Marg 58
info=First line<@Second line 58
marg m59
name=Marg 59
info=First line<@Second line 59
marg m60
name=Marg 60
info=First line<@Second line 60
marg m61
name=Marg 61
info=First line<@Second line 61
marg m62
name=Marg 62
info=First line<@Second line 62
marg m63
name=Marg 63
info=First line<@Second line 63
marg m64
name=Marg 64
info=First line<@Second line 64
marg m65
name=Marg 65
info=First line<@Second line 65
marg m66
name=Marg 66
info=First line<@Second line 66
marg m67
name=Marg 67
info=First line<@Second line 67
marg m68
name=Marg 68
info=First line<@Second line 68
marg m69
name=Marg 69
info=First line<@Second line 69
marg m70
name=Marg 70
info=First line<@Second line 70
marg m71
name=Marg 71
info=First line<@Second line 71
marg m72
name=Marg 72
info=First line<@Second line 72
marg m73
name=Marg 73
info=First line<@Second line 73
marg m74
name=Marg 74
info=First line<@Second line 74
marg m75
name=Marg 75
info=First line<@Second line 75
marg m76
name=Marg 76
info=First line<@Second line 76
marg m77
name=Marg 77
info=First line<@Second line 77
marg m78
name=Marg 78
info=First line<@Second line 78
marg m79
name=Marg 79
info=First line<@Second line 79
marg m80
name=Marg 80
info=First line<@Second line 80
marg m81
name=Marg 81
info=First line<@Second line 81
marg m82
name=Marg 82
info=First line<@Second line 82
marg m83
name=Marg 83
info=First line<@Second line 83
marg m84
name=Marg 84
info=First line<@Second line 84
marg m85
name=Marg 85
info=First line<@Second line 85
marg m86
name=Marg 86
info=First line<@Second line 86
marg m87
name=Marg 87
info=First line<@Second line 87
marg m88
name=Marg 88
info=First line<@Second line 88
marg m89
name=Marg 89
info=First line<@Second line 89
marg m90
name=Marg 90
info=First line<@Second line 90
marg m91
name=Marg 91
info=First line<@Second line 91
marg m92
name=Marg 92
info=First line<@Second line 92
marg m93
name=Marg 93
info=First line<@Second line 93
marg m94
name=Marg 94
info=First line<@Second line 94
marg m95
name=Marg 95
info=First line<@Second line 95
marg m96
name=Marg 96
info=First line<@Second line 96
marg m97
name=Marg 97
info=First line<@Second line 97
marg m98
name=Marg 98
info=First line<@Second line 98
marg m99
name=Marg 99
info=First line<@Second line 99

def l49
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
; padding to the 5000 lines a script may have
