// Fuzz target: the records of the site lists, the preferred sites ("prefloc.rsx") and the
// shipped site list ("defloc.rsx"), and the choice lists in their binary and text forms. A
// record that reads whole writes and reads back the same.
#include "framework/stream/PStream.h"
#include "ui/CBdata.h"
#include "ui/LLposit.h"
#include "ui/LocationData.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    {
        fw::imstream in(bytes);
        for (int i = 0; i < 64 && !in.fail(); ++i) {
            LLposit site;
            site.Read(in);
            if (in.fail()) break;
            fw::omstream out;
            site.Write(out);
            fw::imstream again(out.str());
            LLposit copy;
            copy.Read(again);
            fw::omstream out2;
            copy.Write(out2);
            if (again.fail() || out2.str() != out.str()) std::abort();
        }
    }
    {
        fw::imstream in(bytes);
        for (int i = 0; i < 64 && !in.fail(); ++i) {
            LocationData site;
            site.Read(in);
        }
    }
    {
        fw::imstream in(bytes);
        CBdata list;
        list.Read(in);
        std::istringstream text(bytes);
        CBdata fromText;
        fromText.ReadText(text);
    }
    return 0;
}
