# Builds the page template that ccview fills in: page.html with page.css and
# the script (preview.js, then page.js) put in its place, and the script's
# SHA-256 in the page's content security policy, so that the browser runs
# that script and nothing else. The template is cut at the three places the
# config's JSON, its analysis and the source name go, and written as a C++
# source of four byte arrays.
#
#   cmake -DSOURCE_DIR=tools/ccview -DOUTPUT=ccviewTemplate.cpp -P embed.cmake
cmake_minimum_required(VERSION 3.20)

file(READ "${SOURCE_DIR}/page.html" html)
file(READ "${SOURCE_DIR}/page.css" css)
file(READ "${SOURCE_DIR}/preview.js" preview)
file(READ "${SOURCE_DIR}/page.js" pagejs)
set(script "\n${preview}\n${pagejs}")

# Base64 of a hex digest, as a content security policy wants a hash.
function(hex_to_base64 hex out)
  set(alphabet "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/")
  string(LENGTH "${hex}" n)
  set(result "")
  set(i 0)
  while(i LESS n)
    math(EXPR left "${n} - ${i}")
    if(left GREATER 6)
      set(left 6)
    endif()
    string(SUBSTRING "${hex}" ${i} ${left} chunk)
    if(left EQUAL 4)
      string(APPEND chunk "00")
    elseif(left EQUAL 2)
      string(APPEND chunk "0000")
    endif()
    math(EXPR value "0x${chunk}")
    foreach(shift 18 12 6 0)
      math(EXPR index "(${value} >> ${shift}) & 63")
      string(SUBSTRING "${alphabet}" ${index} 1 c)
      string(APPEND result "${c}")
    endforeach()
    if(left EQUAL 4)
      string(REGEX REPLACE ".$" "=" result "${result}")
    elseif(left EQUAL 2)
      string(REGEX REPLACE "..$" "==" result "${result}")
    endif()
    math(EXPR i "${i} + 6")
  endwhile()
  set(${out} "${result}" PARENT_SCOPE)
endfunction()

string(SHA256 digest "${script}")
hex_to_base64("${digest}" hash)

# The markers are taken out of the template before the script goes in, so that
# no text of the script can be taken for one.
string(REPLACE "@SCRIPT_HASH@" "'sha256-${hash}'" html "${html}")
string(REPLACE "@PAGE_CSS@" "${css}" html "${html}")
set(index 0)
foreach(marker "@CONFIG_JSON@" "@ANALYSIS_JSON@" "@SOURCE_JSON@")
  string(FIND "${html}" "${marker}" at)
  if(at LESS 0)
    message(FATAL_ERROR "page.html has no ${marker}")
  endif()
  # (separate variables, not a list: the texts hold semicolons)
  string(SUBSTRING "${html}" 0 ${at} part${index})
  string(LENGTH "${marker}" skip)
  math(EXPR at "${at} + ${skip}")
  string(SUBSTRING "${html}" ${at} -1 html)
  math(EXPR index "${index} + 1")
endforeach()
set(part3 "${html}")
string(FIND "${part3}" "@PAGE_SCRIPT@" at)
if(at LESS 0)
  message(FATAL_ERROR "page.html has no @PAGE_SCRIPT@ after its data")
endif()
string(REPLACE "@PAGE_SCRIPT@" "${script}" part3 "${part3}")

set(cpp "// Generated from page.html, page.css, preview.js and page.js by embed.cmake.\n")
string(APPEND cpp "#include \"ccviewPage.h\"\n\nnamespace {\n")
set(index 0)
foreach(name beforeConfig beforeAnalysis beforeSource afterSource)
  file(WRITE "${OUTPUT}.part" "${part${index}}")
  file(READ "${OUTPUT}.part" hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR bytes "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," hex "${hex}")
  string(REGEX REPLACE "(('[^']*',){16})" "\\1\n" hex "${hex}")
  string(APPEND cpp "const char ${name}[${bytes}] = {\n${hex}};\n")
  math(EXPR index "${index} + 1")
endforeach()
file(REMOVE "${OUTPUT}.part")
string(APPEND cpp "}  // namespace\n\npageTemplate viewPageTemplate() {\n"
  "    return {{beforeConfig, sizeof beforeConfig}, {beforeAnalysis, sizeof beforeAnalysis},\n"
  "            {beforeSource, sizeof beforeSource}, {afterSource, sizeof afterSource}};\n}\n")
file(WRITE "${OUTPUT}" "${cpp}")
