// The preview page of a config: one self-contained HTML file that shows the
// command line a config offers and lets a person build it. The page's markup,
// style and script are fixed at build time (page.html, page.css, preview.js,
// page.js); the config goes in as ccdump's JSON form, the config analysis's
// findings as their JSON form (cnfAnalysis.h), the config's file name as one
// JSON string, each in a <script type="application/json"> block that the
// page's script reads as text.
#pragma once

#include <string>
#include <string_view>

#include "cnfReader.h"

// The page around its three data blocks, as built from the page's files.
struct pageTemplate {
    std::string_view beforeConfig;    // up to the config's JSON
    std::string_view beforeAnalysis;  // between it and the findings' JSON
    std::string_view beforeSource;    // between them and the file name's JSON
    std::string_view afterSource;   // the rest: the script and the page's end
};

// Made at build time by embed.cmake: the static page, and the page that
// ccview --serve gives, which adds the runner and may connect to its server.
pageTemplate viewPageTemplate();
pageTemplate servedPageTemplate();

// A JSON text made safe inside a <script> block: every '<', '>' and '&' is
// written as its \u escape. JSON holds these characters only inside strings,
// where the escape means the same, so the JSON is unchanged and no text of it
// can close the block or open a comment.
std::string scriptSafeJson(std::string_view json);

// The whole page for a valid config whose file is named sourceName (shown as
// the page's title, decoded as UTF-8). The same config and name always give
// the same bytes.
std::string viewPage(const cnfConfig& cfg, std::string_view sourceName);
// The same for the served page.
std::string servedPage(const cnfConfig& cfg, std::string_view sourceName);
