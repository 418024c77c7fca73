// The settings file ("STLMCNFG.RSX") and the text conversions of the validated fields, from
// any bytes. A settings store written and read again writes the same bytes; a value read
// from a text and written as text reads back without a range error when the first read had
// none.
#include "framework/gui/MessageBox.h"
#include "framework/stream/PStream.h"
#include "ui/Configuration.h"
#include "ui/TextConvert.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Settings(const std::string& bytes)
{
    fw::imstream in(bytes);
    Configuration first("/nonexistent/stellum-fuzz/STLMCNFG.RSX");
    first.ReadFrom(in);
    fw::omstream out;
    first.WriteTo(out);
    fw::imstream again(out.str());
    Configuration second("/nonexistent/stellum-fuzz/STLMCNFG.RSX");
    second.ReadFrom(again);
    if (second.Damaged() || second.Count() != first.Count()) std::abort();
    fw::omstream out2;
    second.WriteTo(out2);
    if (out2.str() != out.str()) std::abort();
}

void Text(std::int32_t kind, const std::string& text)
{
    TextConvert tc(kind);
    const double v = tc.ParseValue(text);
    const bool clean = tc.ErrorText().empty();
    const std::string shown = tc.FormatValue(v);
    if (kind == vkRightAscension || kind == vkDeclination || kind == vkMagnitude || kind == vkSize) {
        if (clean && std::isfinite(v) && !shown.empty()) {
            tc.ParseValue(shown);
            if (!tc.ErrorText().empty()) std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool seam = [] {
        fw::MessageBoxSeam::Set([](const fw::MessageBoxCall&) { return fw::IDOK; });
        return true;
    }();
    (void)seam;
    if (size == 0) return 0;
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (data[0] & 0x80) Settings(bytes);
    else Text(data[0] % 7, bytes);
    return 0;
}
