#include "compileText.h"

#include <algorithm>

compileResult compileText(std::string_view bytes, std::string_view name, bool wantFacts) {
    cnfBuilder builder;
    return compileText(bytes, name, builder, wantFacts);
}

compileResult compileText(std::string_view bytes, std::string_view name, cnfBuilder& builder, bool wantFacts) {
    compileResult result;
    builder.scriptPath = name;
    if (wantFacts) {
        result.facts.emplace();
        builder.facts = &*result.facts;
    }
    try {
        builder.loadScriptFromBytes(bytes);
        builder.parseScript();
        if (builder.errors.empty()) result.config = builder.cnfBytes();
    } catch (const scriptError& e) {
        result.error = e;
    }
    builder.facts = nullptr;
    if (!builder.errors.empty()) {
        result.error = builder.errors.front();
        result.laterErrors.assign(builder.errors.begin() + 1, builder.errors.end());
    }
    result.firstLeftOut = builder.firstLeftOut;
    result.warnings = builder.takeWarnings();
    // A warning where an error stands would only repeat what is wrong there.
    if (result.error) builder.dropWarningsAt(result.warnings, *result.error);
    for (const scriptError& e : result.laterErrors) builder.dropWarningsAt(result.warnings, e);
    return result;
}
