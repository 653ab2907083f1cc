# Builds the page templates that ccview fills in: a page's HTML with its style
# and its script put in their places, and the script's SHA-256 in the page's
# content security policy, so that the browser runs that script and nothing
# else. The static preview page (page.html: preview.js, presets.js,
# presets-ui.js, page.js); the served page, which adds the runner (api.js,
# output.js, runText.js, outputView.js, outputPanel.js, history.js,
# browse.js, run.js, shelf-back.js) and may connect to the server that gave
# it; the launch answer (launch.html, launch.js), which keeps the token for its
# tab; and the shelf's page (shelf.html, shelf.css: api.js, shelf.js,
# shelf-ui.js).
# Each is cut at the places its data goes (the config's JSON, its analysis and
# the source name; the token) and written as byte arrays of one C++ source.
#
#   cmake -DSOURCE_DIR=tools/ccview -DOUTPUT=ccviewTemplate.cpp -P embed.cmake
cmake_minimum_required(VERSION 3.20)

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

# Appends to cpp the page <prefix>Page: html (a file of this folder) with the
# styles, the scripts and the script's hash (with policy_extra after it) in
# their places, cut at each of markers, in order, into the parts ccviewPage.h's
# pageTemplate holds.
function(page_template prefix html_file styles scripts policy_extra markers)
  file(READ "${SOURCE_DIR}/${html_file}" html)
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
  string(REPLACE "@SCRIPT_HASH@" "'sha256-${hash}'${policy_extra}" html "${html}")
  string(REPLACE "@PAGE_CSS@" "${css}" html "${html}")
  set(count 0)
  foreach(marker ${markers})
    string(FIND "${html}" "${marker}" at)
    if(at LESS 0)
      message(FATAL_ERROR "${html_file} has no ${marker}")
    endif()
    # (separate variables, not a list: the texts hold semicolons)
    string(SUBSTRING "${html}" 0 ${at} part${count})
    string(LENGTH "${marker}" skip)
    math(EXPR at "${at} + ${skip}")
    string(SUBSTRING "${html}" ${at} -1 html)
    math(EXPR count "${count} + 1")
  endforeach()
  string(FIND "${html}" "@PAGE_SCRIPT@" at)
  if(at LESS 0)
    message(FATAL_ERROR "${html_file} has no @PAGE_SCRIPT@ after its data")
  endif()
  string(REPLACE "@PAGE_SCRIPT@" "${script}" part${count} "${html}")

  set(names "")
  foreach(index RANGE ${count})
    file(WRITE "${OUTPUT}.part" "${part${index}}")
    file(READ "${OUTPUT}.part" hex HEX)
    string(LENGTH "${hex}" digits)
    math(EXPR bytes "${digits} / 2")
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," hex "${hex}")
    string(REGEX REPLACE "(('[^']*',){16})" "\\1\n" hex "${hex}")
    string(APPEND cpp "const char ${prefix}Part${index}[${bytes}] = {\n${hex}};\n")
    string(APPEND names "{${prefix}Part${index}, sizeof ${prefix}Part${index}}, ")
  endforeach()
  file(REMOVE "${OUTPUT}.part")
  string(APPEND cpp "const std::string_view ${prefix}Parts[] = {${names}};\n")
  set(cpp "${cpp}" PARENT_SCOPE)
endfunction()

set(cpp "// Generated from the pages, their styles and scripts by embed.cmake.\n")
string(APPEND cpp "#include \"ccviewPage.h\"\n\nnamespace {\n")
set(data_markers "@CONFIG_JSON@;@ANALYSIS_JSON@;@SOURCE_JSON@")
page_template(view page.html "page.css" "preview.js;presets.js;store.js;presets-ui.js;page.js" "" "${data_markers}")
page_template(served page.html "page.css;run.css"
              "preview.js;presets.js;store.js;api.js;output.js;runText.js;outputView.js;outputPanel.js;history.js;browse.js;presets-ui.js;run.js;shelf-back.js;page.js"
              "; connect-src 'self'" "${data_markers}")
page_template(launch launch.html "" "launch.js" "" "@TOKEN_JSON@")
page_template(shelf shelf.html "page.css;run.css;shelf.css" "api.js;shelf.js;shelf-ui.js" "; connect-src 'self'" "")
string(APPEND cpp "}  // namespace\n\n")
foreach(prefix view served launch shelf)
  string(APPEND cpp "pageTemplate ${prefix}PageTemplate() { return {${prefix}Parts}; }\n")
endforeach()
file(WRITE "${OUTPUT}" "${cpp}")
