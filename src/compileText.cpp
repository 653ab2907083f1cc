#include "compileText.h"

compileResult compileText(std::string_view bytes, std::string_view name) {
    cnfBuilder builder;
    return compileText(bytes, name, builder);
}

compileResult compileText(std::string_view bytes, std::string_view name, cnfBuilder& builder) {
    compileResult result;
    builder.scriptPath = name;
    try {
        builder.loadScriptFromBytes(bytes);
        builder.parseScript();
        result.config = builder.cnfBytes();
    } catch (const scriptError& e) {
        result.error = e;
    }
    result.warnings = builder.takeWarnings();
    return result;
}
