# Builds the page templates that ccview fills in: page.html with the style
# (page.css; run.css too when served) and the script put in their places, and
# the script's SHA-256 in the page's content security policy, so that the
# browser runs that script and nothing else. Two templates: the static page
# (preview.js, presets.js, presets-ui.js, page.js) and the served page, which
# adds the runner (output.js, runText.js, outputView.js, outputPanel.js,
# history.js, browse.js, run.js) and may connect to the server that gave it. Each is cut at the three places the config's JSON, its analysis and the
# source name go, and written as four byte arrays of one C++ source.
#
#   cmake -DSOURCE_DIR=tools/ccview -DOUTPUT=ccviewTemplate.cpp -P embed.cmake
cmake_minimum_required(VERSION 3.20)

file(READ "${SOURCE_DIR}/page.html" page_html)

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

# Appends to cpp the four arrays <prefix>BeforeConfig, <prefix>BeforeAnalysis,
# <prefix>BeforeSource and <prefix>AfterSource of the page with these scripts
# and policy extra.
function(page_template prefix styles scripts policy_extra)
  set(css "")
  foreach(name ${styles})
    file(READ "${SOURCE_DIR}/${name}" text)
    string(APPEND css "${text}")
  endforeach()
  set(script "")
  foreach(name ${scripts})
    file(READ "${SOURCE_DIR}/${name}" text)
    string(APPEND script "\n${text}")
  endforeach()
  string(SHA256 digest "${script}")
  hex_to_base64("${digest}" hash)

  # The markers are taken out of the template before the script goes in, so that
  # no text of the script can be taken for one.
  set(html "${page_html}")
  string(REPLACE "@SCRIPT_HASH@" "'sha256-${hash}'${policy_extra}" html "${html}")
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

  set(index 0)
  foreach(name BeforeConfig BeforeAnalysis BeforeSource AfterSource)
    file(WRITE "${OUTPUT}.part" "${part${index}}")
    file(READ "${OUTPUT}.part" hex HEX)
    string(LENGTH "${hex}" digits)
    math(EXPR bytes "${digits} / 2")
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," hex "${hex}")
    string(REGEX REPLACE "(('[^']*',){16})" "\\1\n" hex "${hex}")
    string(APPEND cpp "const char ${prefix}${name}[${bytes}] = {\n${hex}};\n")
    math(EXPR index "${index} + 1")
  endforeach()
  file(REMOVE "${OUTPUT}.part")
  set(cpp "${cpp}" PARENT_SCOPE)
endfunction()

set(cpp "// Generated from page.html, page.css and the page's scripts by embed.cmake.\n")
string(APPEND cpp "#include \"ccviewPage.h\"\n\nnamespace {\n")
page_template(view "page.css" "preview.js;presets.js;presets-ui.js;page.js" "")
page_template(served "page.css;run.css"
              "preview.js;presets.js;output.js;runText.js;outputView.js;outputPanel.js;history.js;browse.js;presets-ui.js;run.js;page.js"
              "; connect-src 'self'")
string(APPEND cpp "}  // namespace\n\n")
foreach(prefix view served)
  string(APPEND cpp "pageTemplate ${prefix}PageTemplate() {\n"
    "    return {{${prefix}BeforeConfig, sizeof ${prefix}BeforeConfig},\n"
    "            {${prefix}BeforeAnalysis, sizeof ${prefix}BeforeAnalysis},\n"
    "            {${prefix}BeforeSource, sizeof ${prefix}BeforeSource},\n"
    "            {${prefix}AfterSource, sizeof ${prefix}AfterSource}};\n}\n")
endforeach()
file(WRITE "${OUTPUT}" "${cpp}")
