// The chart frame file "chrtfrmt.rsx" in the user directory: for every catalogue row the
// frame in which the chart last showed the object (centre and two field sizes), one fixed
// 16-byte record per row reached by one seek.
//
// File (little-endian): the format marker byte 4, then for row i at 1 + 16 i the centre's
// right ascension and declination (floats, the units of the catalogue table's columns) and
// the two field sizes (floats). A complete file holds 13336 records.
#pragma once

#include <cstdint>
#include <string>

#include "framework/gui/Responder.h"
#include "framework/stream/PStream.h"

// Stands in for the frame file's storage in a test: called with the row before each frame is
// read, it can make the read fail as a damaged disk or a lack of memory would, by throwing.
using ChartFrameReadSeam = fw::ModalSeam<struct ChartFrameReadTag, void(int index)>;

class ChartFormat {
public:
    static constexpr int kRecordCount = 13336;
    static constexpr int kRecordSize = 16;
    static constexpr std::uint8_t kMarker = 4;
    // Field size of a frame made from the catalogue when the file is rebuilt.
    static constexpr float kDefaultFieldSize = 20.0f;

    enum Mode { Closed = 0, Reading = 1, Writing = 2 };

    explicit ChartFormat(std::string fileName);
    ~ChartFormat();
    ChartFormat(const ChartFormat&) = delete;
    ChartFormat& operator=(const ChartFormat&) = delete;

    // Opens for reading and checks the marker and the size; a missing file or a wrong marker
    // rebuilds the file from the catalogue first, and a file shorter than its full size gets
    // the records it lacks from the catalogue. 0 when it still cannot be read.
    int OpenRead();
    // Opens for update (the records already in the file survive) and writes the marker. A
    // missing file or one with a wrong marker is rebuilt from the catalogue first, and a short
    // one completed, so that writing one frame never leaves the other rows without theirs.
    // 0 when that fails.
    int OpenWrite();
    void Close();

    // Writes the frame of a catalogue row, leaving every other record as it was. 0 when the
    // file cannot be written or the row lies outside the file.
    int WriteFrame(int index, double ra, double dec, double size1, double size2);
    // Reads the frame of a catalogue row; 0 (outputs untouched) when there is none.
    int ReadFrame(int index, double& ra, double& dec, double& size1, double& size2);

    int GetMode() const { return mode_; }
    const std::string& FileName() const { return fileName_; }

private:
    bool MarkerIsGood();
    void Rebuild();

    bool rebuilding_ = false;
    // Whole records of a file whose marker is good, as found by the last marker check.
    int completeRecords_ = 0;
    std::int32_t mode_ = Closed;
    std::string fileName_;
    fw::ifpstream in_;
    fw::fpstream out_;
    float record_[4] = {0, 0, 0, 0};
};
