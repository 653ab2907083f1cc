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

namespace {

std::string filledPage(const pageTemplate& page, const cnfConfig& cfg, std::string_view sourceName) {
    const std::string config = scriptSafeJson(cnfDumpJson(cfg));
    const std::string analysis = cnfAnalysisJson(cfg);  // numbers only: nothing to make safe
    const std::string source = scriptSafeJson(cnfJsonString(sourceName));
    std::string out;
    out.reserve(page.beforeConfig.size() + config.size() + page.beforeAnalysis.size() + analysis.size() +
                page.beforeSource.size() + source.size() + page.afterSource.size());
    out += page.beforeConfig;
    out += config;
    out += page.beforeAnalysis;
    out += analysis;
    out += page.beforeSource;
    out += source;
    out += page.afterSource;
    return out;
}

}  // namespace

std::string viewPage(const cnfConfig& cfg, std::string_view sourceName) {
    return filledPage(viewPageTemplate(), cfg, sourceName);
}

std::string servedPage(const cnfConfig& cfg, std::string_view sourceName) {
    return filledPage(servedPageTemplate(), cfg, sourceName);
}
