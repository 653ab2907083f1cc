// Writes the measurement scripts into a folder, for runs of the whole program:
// smallest.sc, largest.sc and tooltip_{1,4,16}m.sc, items_16m.sc, exten_16m.sc.
#include <fstream>
#include <iostream>
#include <string>

#include "scripts.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_scripts FOLDER" << std::endl;
        return 1;
    }
    using namespace benchScripts;
    const std::string folder = argv[1];
    const struct {
        const char* name;
        std::string text;
    } scripts[] = {
        {"smallest.sc", smallestScript()},
        {"largest.sc", largestScript()},
        {"tooltip_1m.sc", tooltipScript(1 << 20)},
        {"tooltip_4m.sc", tooltipScript(4 << 20)},
        {"tooltip_16m.sc", tooltipScript(16 << 20)},
        {"items_16m.sc", itemsLineScript(16 << 20)},
        {"exten_16m.sc", extenLineScript(16 << 20)},
    };
    for (const auto& s : scripts) {
        std::ofstream out(folder + "/" + s.name, std::ios::binary);
        out << s.text;
        if (!out) {
            std::cerr << "cannot write " << s.name << std::endl;
            return 1;
        }
    }
    return 0;
}
