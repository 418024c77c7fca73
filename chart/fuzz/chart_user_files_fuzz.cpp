// The user's chart label file ("chtlabel.rsx") and constellation line file ("conlines.rsx")
// read from any bytes: labels hold no more than their text limit, and what was read, written
// and read again writes the same bytes.
#include "chart/ChartLabels.h"
#include "chart/ConstelLines.h"
#include "framework/fuzz/FuzzFiles.h"
#include "framework/gui/MessageBox.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string dir;

using fuzzsupport::ReadAll;

template <class File>
void RoundTrip(const std::string& path, const std::string& bytes)
{
    fuzzsupport::WriteAll(path, bytes);
    File file(path);
    if (!file.Write()) std::abort();
    const std::string written = ReadAll(path);
    file.Read();
    if (file.Damaged() || !file.Write()) std::abort();
    if (ReadAll(path) != written) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (dir.empty()) {
        dir = fuzzsupport::ScratchDirectory("chart-fuzz");
        fw::MessageBoxSeam::Set([](const fw::MessageBoxCall&) { return fw::IDOK; });
    }
    if (size == 0) return 0;
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (data[0] & 1) {
        RoundTrip<ChartLabels>(dir + "/chtlabel.rsx", bytes);
        for (const ChartLabel& l : ChartLabelArray::Instance().Labels())
            if (l.text.size() > ChartLabel::kMaxText || l.text.empty()) std::abort();
    } else {
        RoundTrip<ConstelLines>(dir + "/conlines.rsx", bytes);
    }
    std::error_code ec;
    for (auto& e : fs::directory_iterator(dir)) fs::remove_all(e.path(), ec);
    return 0;
}
