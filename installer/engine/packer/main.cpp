// stellum-pack: turns a readable description of an install into "install.inf" and the
// packaged files.
//   stellum-pack DESCRIPTION OUTDIR [-D NAME=VALUE]... [--width 16|32] [--version 300-302]
#include "installer/engine/packer/Packer.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

int main(int argc, char** argv)
{
    std::map<std::string, std::string> defines;
    std::string description, outDir;
    int width = 0, version = 0;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if ((a == "-D" || a == "--width" || a == "--version") && i + 1 < argc) {
            std::string v = argv[++i];
            if (a == "-D") {
                size_t eq = v.find('=');
                if (eq == std::string::npos) {
                    std::fprintf(stderr, "stellum-pack: -D takes NAME=VALUE\n");
                    return 2;
                }
                defines[v.substr(0, eq)] = v.substr(eq + 1);
            } else if (a == "--width") {
                width = std::atoi(v.c_str());
            } else {
                version = std::atoi(v.c_str());
            }
        } else if (description.empty()) {
            description = a;
        } else if (outDir.empty()) {
            outDir = a;
        } else {
            description.clear();
            break;
        }
    }
    if (description.empty() || outDir.empty()) {
        std::fprintf(stderr, "usage: stellum-pack DESCRIPTION OUTDIR [-D NAME=VALUE]... "
                             "[--width 16|32] [--version 300-302]\n");
        return 2;
    }
    std::ifstream in(description, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "stellum-pack: cannot read %s\n", description.c_str());
        return 1;
    }
    std::stringstream text;
    text << in.rdbuf();
    std::string body = text.str();
    // Command-line width and version replace the description's.
    if (width) body += "\n[package]\nwidth = " + std::to_string(width) + "\n";
    if (version) body += "\n[package]\nscript-version = " + std::to_string(version) + "\n";
    kw::PackDescription d;
    if (!d.Parse(body, defines)) {
        std::fprintf(stderr, "%s: %s\n", description.c_str(), d.Error().c_str());
        return 1;
    }
    kw::Packer packer;
    if (!packer.Pack(d, outDir)) {
        std::fprintf(stderr, "stellum-pack: %s\n", packer.Error().c_str());
        return 1;
    }
    std::printf("stellum-pack: %s: %zu files, script width %d version %d\n", outDir.c_str(),
                d.Files().size(), d.Width(), d.Version());
    return 0;
}
