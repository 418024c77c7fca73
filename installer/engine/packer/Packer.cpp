#include "installer/engine/packer/Packer.h"

#include <cstdio>
#include <filesystem>
#include <vector>
#include <zlib.h>

namespace kw {

namespace fs = std::filesystem;

bool GzipFile(const std::string& from, const std::string& to, std::string& error)
{
    FILE* in = std::fopen(from.c_str(), "rb");
    if (!in) {
        error = "cannot read " + from;
        return false;
    }
    FILE* out = std::fopen(to.c_str(), "wb");
    if (!out) {
        std::fclose(in);
        error = "cannot write " + to;
        return false;
    }
    z_stream z{};
    bool ok = deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, 15 + 16, 9, Z_DEFAULT_STRATEGY) == Z_OK;
    std::vector<unsigned char> inBuf(1 << 16), outBuf(1 << 16);
    int flush = Z_NO_FLUSH;
    while (ok && flush != Z_FINISH) {
        size_t n = std::fread(inBuf.data(), 1, inBuf.size(), in);
        if (std::ferror(in)) ok = false;
        flush = std::feof(in) ? Z_FINISH : Z_NO_FLUSH;
        z.next_in = inBuf.data();
        z.avail_in = static_cast<uInt>(n);
        do {
            z.next_out = outBuf.data();
            z.avail_out = static_cast<uInt>(outBuf.size());
            if (deflate(&z, flush) == Z_STREAM_ERROR) ok = false;
            size_t have = outBuf.size() - z.avail_out;
            if (ok && std::fwrite(outBuf.data(), 1, have, out) != have) ok = false;
        } while (ok && z.avail_out == 0);
    }
    deflateEnd(&z);
    std::fclose(in);
    if (std::fclose(out) != 0) ok = false;
    if (!ok) {
        error = "cannot compress " + from + " into " + to;
        std::remove(to.c_str());
    }
    return ok;
}

bool Packer::Pack(PackDescription& description, const std::string& outDir)
{
    std::error_code ec;
    fs::create_directories(outDir, ec);
    ScriptProject& project = description.Project();
    for (const PackedFile& f : description.Files()) {
        fs::path target = fs::path(outDir) / f.packedName;
        fs::create_directories(target.parent_path(), ec);
        if (f.compressed) {
            if (!GzipFile(f.hostPath, target.string(), error_)) return false;
        } else if (!fs::copy_file(f.hostPath, target, fs::copy_options::overwrite_existing, ec)) {
            error_ = "cannot copy " + f.hostPath;
            return false;
        }
        if (f.eventIndex >= 0) {
            uintmax_t size = fs::file_size(target, ec);
            if (ec || size > 0xFFFFFFFFu) {
                error_ = "cannot measure " + target.string();
                return false;
            }
            project.events[f.eventIndex]->Files()[f.fileIndex].storedSize = static_cast<uint32_t>(size);
        }
    }
    std::string scriptPath = (fs::path(outDir) / "install.inf").string();
    std::string temporary = scriptPath + ".new";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) {
        error_ = "cannot write " + temporary;
        return false;
    }
    StdioSink sink(file);
    bool ok = project.Write(sink, description.Width(), description.Version());
    ok = std::fclose(file) == 0 && ok;
    if (!ok) {
        std::remove(temporary.c_str());
        error_ = "cannot write the install script: a number does not fit a 16-bit script, or a "
                 "text is 64 KB or longer";
        return false;
    }
    fs::rename(temporary, scriptPath, ec);
    if (ec) {
        error_ = "cannot replace " + scriptPath;
        return false;
    }
    return true;
}

} // namespace kw
