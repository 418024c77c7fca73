#include "ui/Configuration.h"

#include "framework/stream/AtomicFile.h"
#include "astro/SignedStreamRecord.h"
#include "framework/stream/PStream.h"
#include "framework/stream/StringUtil.h"
#include "ui/AngleLabelConfig.h"
#include "ui/ChartConfig.h"
#include "ui/ConfigInfo.h"
#include "ui/CoordLabelConfig.h"
#include "ui/DistanceLabelConfig.h"
#include "ui/DropConfig.h"
#include "ui/GraphConfig.h"
#include "ui/LabelConfig.h"
#include "ui/MagLabelConfig.h"
#include "ui/StellumConfig.h"
#include "ui/TimeDateLabelConfig.h"
#include "ui/UserFile.h"

#include <cstdio>
#include <sys/stat.h>

const char* const Configuration::kSignature = SignedStreamRecord::ConfigurationFile;
const char* const Configuration::kFileName = "STLMCNFG.RSX";

namespace {

template <class Record>
std::unique_ptr<ConfigInfo> Make(const ConfigInfo& header)
{
    return std::make_unique<Record>(header);
}

struct KnownClass {
    const char* name;
    std::unique_ptr<ConfigInfo> (*create)(const ConfigInfo&);
};

// The class names the store knows, in the order the reader tests them.
const KnownClass kKnownClasses[] = {
    {"LabelConfig", &Make<LabelConfig>},
    {"AngleLabelConfig", &Make<AngleLabelConfig>},
    {"MagLabelConfig", &Make<MagLabelConfig>},
    {"CoordLabelConfig", &Make<CoordLabelConfig>},
    {"TimeDateLabelConfig", &Make<TimeDateLabelConfig>},
    {"DistanceLabelConfig", &Make<DistanceLabelConfig>},
    {"ChartConfig", &Make<ChartConfig>},
    {"GraphConfig", &Make<GraphConfig>},
    {"DropConfig", &Make<DropConfig>},
    {"StellumConfig", &Make<StellumConfig>},
};

} // namespace

Configuration::Configuration(const std::string& name)
    : signature(kSignature), fileVersion(kFileVersion), fileName(fw::ResolvePathIgnoringCase(name))
{
    // A file whose name differs only in letter case is the one read and written back; what a
    // save killed mid-write left beside it goes first.
    fw::RemoveStaleTemporaries(fileName);
    fw::ifpstream is(fileName);
    ReadFrom(is);
    // A file that is there but cannot be opened is no first start: it is damaged, not missing.
    struct stat st;
    if (!is.is_open() && ::lstat(fileName.c_str(), &st) == 0)
        damaged = true;
}

Configuration::~Configuration()
{
    Save();
}

std::unique_ptr<ConfigInfo> Configuration::CreateRecord(const ConfigInfo& header)
{
    for (const KnownClass& known : kKnownClasses)
        if (header.ClassName() == known.name) return known.create(header);
    return nullptr;
}

void Configuration::ReadFrom(fw::ipstream& is)
{
    if (is.fail()) return;
    damaged = true;
    if (is.readString(1024) != signature || is.fail()) return;
    if (is.readInt32() != fileVersion || is.fail()) return;
    for (;;) {
        ConfigInfo header;
        bool headerRead = header.ReadHeader(is);
        if (Count() >= kMaxRecords) break;
        if (!headerRead) break;
        std::unique_ptr<ConfigInfo> record = CreateRecord(header);
        if (!record) {
            // The closing header ends a whole file; a foreign entry ends the reading early.
            damaged = !(header.ClassName().empty() && header.InstanceName().empty());
            break;
        }
        record->Read(is);
        // A body cut short by the end of the file is not trusted: the record is dropped and
        // reading stops; the records before it stay.
        if (is.fail()) break;
        records.push_back(std::move(record));
    }
}

void Configuration::WriteTo(fw::opstream& os) const
{
    os.writeString(signature);
    os.writeWord32(static_cast<std::uint32_t>(fileVersion));
    for (const auto& record : records) {
        record->WriteHeader(os);
        record->Write(os);
    }
    ConfigInfo("", "", 1).WriteHeader(os);
}

int Configuration::Save()
{
    fw::omstream os;
    WriteTo(os);
    if (os.fail()) return 0;
    // Replaced in one step, so a failed write leaves the old file; a failure is said. A damaged
    // file was kept aside when the program started.
    if (!UserFile::Save(fileName, os.str(), false, "settings")) return 0;
    return 1;
}

ConfigInfo* Configuration::Record(int index) const
{
    if (index < 0 || index >= Count()) return nullptr;
    return records[static_cast<std::size_t>(index)].get();
}

int Configuration::Find(const ConfigInfo& record) const
{
    for (int i = 0; i < Count(); ++i) {
        const ConfigInfo& held = *records[static_cast<std::size_t>(i)];
        if (held.InstanceName() == record.InstanceName() && held.ClassName() == record.ClassName())
            return i;
    }
    return -1;
}

int Configuration::Load(ConfigInfo& record) const
{
    int index = Find(record);
    if (index < 0) return 0;
    return records[static_cast<std::size_t>(index)]->CopyTo(record) ? 1 : 0;
}

int Configuration::Store(const ConfigInfo& record)
{
    int index = Find(record);
    if (index < 0) index = Append(record);
    if (index < 0) return 0;
    return records[static_cast<std::size_t>(index)]->CopyFrom(record) ? 1 : 0;
}

int Configuration::Append(const ConfigInfo& record)
{
    if (Count() >= kMaxRecords - 1) return -1;
    std::unique_ptr<ConfigInfo> held = CreateRecord(record);
    if (!held) return -1;
    records.push_back(std::move(held));
    return Count() - 1;
}
