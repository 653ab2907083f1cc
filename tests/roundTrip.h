// Round trips of a compiled config: the bytes read back by the independent
// reader must hold exactly the items the compiler collected from the script;
// and the script made of a config must compile to the same bytes.
#pragma once

#include <sstream>
#include <string>
#include <string_view>

#include "cnfBuilder.h"
#include "cnfReader.h"
#include "cnfScript.h"
#include "compileText.h"

// Empty when the config read back from bytes holds the builder's items (counts,
// header items, captions, key data, tooltips, filter texts, records and the
// numbers of every list's keys and every file's filters); otherwise what differs.
inline std::string roundTripDifference(const cnfBuilder& b, const std::string& bytes) {
    const cnfReadResult read = readCnf(bytes);
    if (!read.ok()) return "the reader refuses the config: " + read.message;
    const cnfConfig& c = read.config;
    std::ostringstream why;
    if (c.lists.size() != b.listStrings.size() || c.keys.size() != b.keyStrings.size() ||
        c.files.size() != b.fileStrings.size() || c.filters.size() != b.filterStrings.size() ||
        c.margs.size() != b.margStrings.size()) {
        return "item counts differ";
    }
    for (std::size_t i = 0; i < 6; ++i)
        if (c.headerItems[i] != b.headerStrings.at(i)) why << "header item " << i + 1 << "; ";
    std::size_t entry = 0;
    for (std::size_t l = 0; l < c.lists.size(); ++l) {
        if (c.lists[l].name != b.listStrings[l]) why << "list " << l + 1 << " name; ";
        if (c.lists[l].keys.size() != b.listSizes[l]) why << "list " << l + 1 << " size; ";
        for (std::uint16_t key : c.lists[l].keys)
            if (entry >= b.itemNumbers.size() || key != b.itemNumbers[entry++]) why << "list " << l + 1 << " keys; ";
    }
    for (std::size_t k = 0; k < c.keys.size(); ++k) {
        const cnfKey& got = c.keys[k];
        const keyConf& rec = b.keys[k];
        const std::string_view arg = rec.strNum == 2 ? b.keyStrings[k].str2 : std::string_view();
        if (got.name != b.keyStrings[k].str1 || got.arg != arg || got.strNum != rec.strNum ||
            got.order.byte != rec.order || got.fileRef != rec.fileRef || got.margRef != rec.margRef ||
            got.listRef != rec.listRef)
            why << "key " << k << "; ";
    }
    for (std::size_t f = 0; f < c.files.size(); ++f) {
        const cnfFile& got = c.files[f];
        if (got.name != b.fileStrings[f] || got.action != b.files[f].action ||
            got.filters.size() != b.files[f].filterCount)
            why << "file " << f + 1 << "; ";
        for (std::uint8_t filter : got.filters)
            if (entry >= b.itemNumbers.size() || filter != b.itemNumbers[entry++]) why << "file " << f + 1 << " filters; ";
    }
    for (std::size_t m = 0; m < c.margs.size(); ++m)
        if (c.margs[m].name != b.margStrings[m].str1 || c.margs[m].info != b.margStrings[m].str2)
            why << "marg " << m + 1 << "; ";
    for (std::size_t t = 0; t < c.filters.size(); ++t)
        if (c.filters[t] != b.filterStrings[t]) why << "filter " << t << "; ";
    if (c.header.defListIndex != b.defListIndex) why << "default list; ";
    return why.str();
}

// Empty when the config's script (cnfScript) compiles to the same bytes and the
// config compiled again gives the same script; otherwise what fails. A config
// that cnfScript refuses fails here too: the refusal is the difference.
inline std::string scriptRoundTripDifference(std::string_view config) {
    const cnfReadResult read = readCnf(config);
    if (!read.ok()) return "the reader refuses the config: " + read.message;
    const cnfScriptResult script = cnfScript(read.config);
    if (!script.ok()) return "no script: " + script.why;
    const compileResult again = compileText(script.script, "recovered.sc");
    if (!again.ok()) return "the script fails: " + again.error->message() + "\n" + script.script;
    if (again.config != config) return "the script compiles to other bytes:\n" + script.script;
    if (cnfScript(readCnf(again.config).config).script != script.script)
        return "the config compiled again gives another script";
    return std::string();
}
