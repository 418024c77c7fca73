// stellum-databuild --raw <raw catalogues> --out <program directory> [--only name,...]
#include "tools/DataBuilder.h"

#include "framework/stream/AtomicFile.h"
#include "framework/stream/StringUtil.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <sstream>

namespace fs = std::filesystem;

std::vector<DataBuilderEntry>& DataBuilders()
{
    static std::vector<DataBuilderEntry> builders;
    return builders;
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes)
{
    if (!fw::WriteFileReplacing(path, bytes)) {
        std::cerr << "cannot write " << path << "\n";
        return false;
    }
    return true;
}

int main(int argc, char** argv)
{
    DataBuildContext ctx;
    std::vector<std::string> only;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--raw" && i + 1 < argc)
            ctx.rawDir = fw::WithTrailingSlash(argv[++i]);
        else if (a == "--out" && i + 1 < argc)
            ctx.outDir = fw::WithTrailingSlash(argv[++i]);
        else if (a == "--only" && i + 1 < argc) {
            std::stringstream ss(argv[++i]);
            for (std::string n; std::getline(ss, n, ',');)
                only.push_back(n);
        } else {
            std::cerr << "usage: stellum-databuild --raw DIR --out DIR [--only name,...]\n";
            return 2;
        }
    }
    if (ctx.rawDir.empty() || ctx.outDir.empty()) {
        std::cerr << "usage: stellum-databuild --raw DIR --out DIR [--only name,...]\n";
        return 2;
    }
    ctx.userDir = ctx.outDir + "User/";
    std::error_code ec;
    fs::create_directories(ctx.userDir, ec);

    auto builders = DataBuilders();
    std::sort(builders.begin(), builders.end(), [](const auto& a, const auto& b) {
        return a.order != b.order ? a.order < b.order : a.name < b.name;
    });
    int failures = 0;
    for (const auto& b : builders) {
        if (!only.empty() && std::find(only.begin(), only.end(), b.name) == only.end())
            continue;
        std::cout << "building " << b.name << "\n";
        if (!b.fn(ctx)) {
            std::cerr << "stellum-databuild: " << b.name << " failed\n";
            ++failures;
        }
    }
    return failures ? 1 : 0;
}
