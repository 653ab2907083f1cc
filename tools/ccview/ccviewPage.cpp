#include "ccviewPage.h"

#include "cnfAnalysis.h"
#include "cnfDump.h"

std::string scriptSafeJson(std::string_view json) {
    std::string out;
    out.reserve(json.size() + json.size() / 8);
    for (char c : json) {
        switch (c) {
            case '<': out += "\\u003c"; break;
            case '>': out += "\\u003e"; break;
            case '&': out += "\\u0026"; break;
            default: out += c;
        }
    }
    return out;
}

std::string filledPage(const pageTemplate& page, std::initializer_list<std::string_view> data) {
    std::size_t size = 0;
    for (const std::string_view part : page.parts) size += part.size();
    for (const std::string_view text : data) size += text.size();
    std::string out;
    out.reserve(size);
    auto text = data.begin();
    for (const std::string_view part : page.parts) {
        out += part;
        if (text != data.end()) out += *text++;
    }
    return out;
}

namespace {

std::string configPage(const pageTemplate& page, const cnfConfig& cfg, std::string_view sourceName) {
    // The findings are numbers only: nothing to make safe.
    return filledPage(page, {scriptSafeJson(cnfDumpJson(cfg)), cnfAnalysisJson(cfg),
                             scriptSafeJson(cnfJsonString(sourceName))});
}

}  // namespace

std::string viewPage(const cnfConfig& cfg, std::string_view sourceName) {
    return configPage(viewPageTemplate(), cfg, sourceName);
}

std::string servedPage(const cnfConfig& cfg, std::string_view sourceName) {
    return configPage(servedPageTemplate(), cfg, sourceName);
}

std::string launchPage(std::string_view token) {
    return filledPage(launchPageTemplate(), {scriptSafeJson(cnfJsonString(token))});
}

std::string shelfPage() { return filledPage(shelfPageTemplate(), {}); }
