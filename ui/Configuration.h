// The one store of settings records, read from the configuration file when the program starts
// and written back when it ends. It holds its own copy of every record, keyed by instance name
// and class name; windows copy their record out (Load) and back in (Store).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class ConfigInfo;
namespace fw { class ipstream; }
namespace fw { class opstream; }

class Configuration {
public:
    // Most records the file may give; the store itself appends only while fewer than
    // kMaxRecords - 1 are held.
    static constexpr int kMaxRecords = 200;
    static constexpr std::int32_t kFileVersion = 1;
    static const char* const kSignature;
    static const char* const kFileName;  // "STLMCNFG.RSX"

    // Reads the file at once; a missing, foreign or damaged file leaves the store empty (or
    // holding the records before the damage).
    explicit Configuration(const std::string& fileName);
    // Writes the file, then frees the records.
    ~Configuration();
    Configuration(const Configuration&) = delete;
    Configuration& operator=(const Configuration&) = delete;

    // Writes the file now; 1 on success, 0 when it could not be written (said in a message
    // box; the old file is then left as it was).
    int Save();

    // Index of the held record with the same instance and class name, or -1.
    int Find(const ConfigInfo& record) const;
    // Held record -> given record. 0 when the key is absent or the given record is not of the
    // held record's class.
    int Load(ConfigInfo& record) const;
    // Given record -> held record, appending one when the key is new. 0 when it could not be
    // appended or the given record is not of the held record's class.
    int Store(const ConfigInfo& record);
    // New held record of the given record's class (its header, the class's defaults); its
    // index, or -1 for an unknown class name or a full table.
    int Append(const ConfigInfo& record);

    // True when a file was there but could not be read to its closing record (foreign,
    // another version, cut short, or an entry of an unknown class): what it held beyond the
    // records read is not in the store, and writing the store back would lose it.
    bool Damaged() const { return damaged; }

    int Count() const { return static_cast<int>(records.size()); }
    ConfigInfo* Record(int index) const;
    const std::string& FileName() const { return fileName; }

    // A new record of the class the header names, with the header's names and version and the
    // class's defaults; null for a class name the store does not know.
    static std::unique_ptr<ConfigInfo> CreateRecord(const ConfigInfo& header);

    // The file's contents, from and to a stream.
    void ReadFrom(fw::ipstream& is);
    void WriteTo(fw::opstream& os) const;

private:
    std::vector<std::unique_ptr<ConfigInfo>> records;
    std::string signature;
    std::int32_t fileVersion = kFileVersion;
    std::string fileName;
    bool damaged = false;
};
