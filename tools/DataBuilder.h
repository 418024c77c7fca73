// The data builder: every data file of the program has a builder function that reads raw
// catalogues from the raw directory and writes its files into the program directory (or its
// User/ folder). Builders register themselves with a static DataBuilderRegistration.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct DataBuildContext {
    std::string rawDir;   // raw catalogues, ending in '/'
    std::string outDir;   // program directory, ending in '/'
    std::string userDir;  // outDir + "User/"
};

// A builder returns true on success; on failure it prints why to stderr and returns false.
using DataBuilderFn = std::function<bool(const DataBuildContext&)>;

struct DataBuilderEntry {
    std::string name;
    int order;  // builders run in ascending order (ties by name)
    DataBuilderFn fn;
};

std::vector<DataBuilderEntry>& DataBuilders();

struct DataBuilderRegistration {
    DataBuilderRegistration(const std::string& name, int order, DataBuilderFn fn)
    {
        DataBuilders().push_back({name, order, std::move(fn)});
    }
};

// Writes bytes to path through a temporary file renamed over it, so that a failed build
// never leaves a half-written data file.
bool WriteFileAtomically(const std::string& path, const std::string& bytes);
