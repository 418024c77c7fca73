#include "installer/engine/ScriptProject.h"

#include "installer/engine/EventFactory.h"
#include "installer/support/StdioFile.h"

#include <cstring>

namespace kw {

bool BuildStyle::Valid() const
{
    const int* v = values;
    if (v[0] < 0 || v[0] > 25 || v[1] < 0 || v[1] > 1 || v[2] < 0 || v[2] > 2) return false;
    if (v[7] < 0 || v[7] > 2) return false;
    for (int i = 3; i <= 6; ++i)
        if (v[i] < 0) return false;
    return true;
}

const BuildStyle* BuildInfo::Current() const
{
    if (currentStyle < 0 || currentStyle >= static_cast<int>(styles.size())) return nullptr;
    return &styles[currentStyle];
}

const UserDialog* ScriptProject::FindDialog(const char* name) const
{
    for (const UserDialog& d : dialogs)
        if (std::strcmp(d.name.Text(), name) == 0) return &d;
    return nullptr;
}

bool ScriptProject::ReadEvents(ScriptIn& in)
{
    events.clear();
    if (EventFactoryCount() == 0) RegisterEventFactories();
    uint32_t n;
    if (!in.Word(n)) return false;
    for (uint32_t i = 0; i < n; ++i) {
        int code;
        if (!in.Int(code)) return false;
        const EventFactory* factory = FindEventFactory(code);
        if (!factory) return false;
        std::unique_ptr<ScriptEvent> event = factory->Create();
        if (!event || !event->Read(in)) return false;
        events.push_back(std::move(event));
    }
    return true;
}

bool ScriptProject::WriteEvents(ScriptOut& out)
{
    uint32_t n = static_cast<uint32_t>(events.size());
    if (!out.Word(n)) return false;
    for (auto& e : events)
        if (!e->Store(out)) return false;
    return true;
}

bool ScriptProject::Languages(ScriptOut& out)
{
    // The installer's table cannot write itself; the authoring side writes the same form.
    int n = out.Version() < 302 ? 11 : kLanguagePlaces;
    if (!out.Int(languages.defaultIndex)) return false;
    for (int i = 0; i < n; ++i)
        if (!out.Int(languages.provided[i])) return false;
    return true;
}

template <class IO>
bool ScriptProject::Members(IO& io)
{
    const int v = io.Version();
    if (!io.Int(reservedInt)) return false;
    for (uint32_t& w : reservedWords)
        if (!io.Word(w)) return false;
    if (!header.Serialize(io)) return false;

    // Build information: the current style, the DFLIST, the styles.
    if (!io.Int(build.currentStyle) || !io.List(build.files) || !io.List(build.styles))
        return false;
    for (BuildStyle& style : build.styles) {
        if (!style.Valid()) return false;
        for (IfRecord& inc : style.includes)
            inc.resolved = inc.index < build.files.size() ? static_cast<int>(inc.index) : -1;
    }

    if constexpr (IO::kReading) {
        if (!ReadEvents(io)) return false;
    } else {
        if (!WriteEvents(io)) return false;
    }
    if (!diskMap.Serialize(io) || !io.List(diskEntries)) return false;
    if (v > 300) {
        if (!io.List(components)) return false;
        if (v >= 302 && !io.Word(dialogsHeader)) return false;
        if (!io.List(dialogs)) return false;
    } else if constexpr (IO::kReading) {
        components.clear();
        dialogs.clear();
    }
    return texts.Serialize(io) && Languages(io) && io.Path(defaultDirectory) &&
           io.Path(defaultGroup) && screen.Serialize(io) && product.Serialize(io) &&
           uninstall.Serialize(io);
}

bool ScriptProject::Read(PortableReader& reader)
{
    ScriptIn in(reader);
    return Members(in);
}

bool ScriptProject::Write(PortableSink& sink, int w, int v)
{
    if ((w != 16 && w != 32) || v < 300 || v > 302) return false;
    PortableWriter writer(sink, w == 16);
    if (!writer.WriteByte(static_cast<unsigned char>(w)) || !writer.WriteInt(v)) return false;
    ScriptOut out(writer, v);
    return Members(out);
}

ScriptReadResult ReadScript(const std::string& bytes, ScriptProject& project)
{
    MemorySource source(bytes);
    PortableReader reader(source, false);
    unsigned char width;
    if (!reader.ReadByte(width)) return ScriptReadResult::kBadWidth;
    if (width != 16 && width != 32) return ScriptReadResult::kBadWidth;
    reader.SetNarrow(width == 16);
    int version;
    if (!reader.ReadInt(version)) return ScriptReadResult::kDamaged;
    if (version < 300 || version > 302) return ScriptReadResult::kBadVersion;
    reader.SetScriptVersion(version);
    project.width = width;
    project.fileVersion = version;
    bool ok = project.Read(reader);
    project.version = 302;
    return ok ? ScriptReadResult::kOk : ScriptReadResult::kDamaged;
}

ScriptReadResult ReadScriptFile(ScriptProject& project, const char* path)
{
    std::string bytes;
    switch (ReadWholeFile(path, bytes)) {
    case WholeFileRead::kCannotOpen: return ScriptReadResult::kCannotOpen;
    case WholeFileRead::kReadError: return ScriptReadResult::kDamaged;
    case WholeFileRead::kOk: break;
    }
    return ReadScript(bytes, project);
}

} // namespace kw
