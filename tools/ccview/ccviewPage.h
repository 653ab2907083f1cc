// The preview page of a config: one self-contained HTML file that shows the
// command line a config offers and lets a person build it. The page's markup,
// style and script are fixed at build time (page.html, page.css, preview.js,
// page.js); the config goes in as ccdump's JSON form, the config analysis's
// findings as their JSON form (cnfAnalysis.h), the config's file name as one
// JSON string, each in a <script type="application/json"> block that the
// page's script reads as text.
#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "cnfReader.h"

// A page around its data, as built from the page's files: the text before
// each data block's content, then the rest (the script and the page's end).
struct pageTemplate {
    std::span<const std::string_view> parts;
};

// Made at build time by embed.cmake: the static page, the page that ccview
// --serve gives, which adds the runner and may connect to its server (both
// around the config's JSON, the findings' JSON and the file name's JSON), and
// the launch answer, around the token's JSON.
pageTemplate viewPageTemplate();
pageTemplate servedPageTemplate();
pageTemplate launchPageTemplate();
pageTemplate shelfPageTemplate();

// The template with data in its places, in order; data must hold one text
// fewer than the template has parts.
std::string filledPage(const pageTemplate& page, std::initializer_list<std::string_view> data);

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
// The launch answer that hands the token (hexadecimal) to its tab.
std::string launchPage(std::string_view token);
// The shelf's page, the same always: its configs come from the server.
std::string shelfPage();
