// STLM5doc: the planner document. A planner file ("*.sl4") keeps the planner's working state:
// the current date and time (or that the clock follows the computer's), the observing site and
// the catalogue database's state (filters, sort order, list cursors, object flags and the
// observing list). The state itself lives in the application's global objects; the document
// copies it out on saving and back in on opening. At most one planner document is open.
#pragma once

#include "astro/JulianDate.h"
#include "astro/ObsSite.h"
#include "catalog/FilterSettings.h"
#include "catalog/SortCriteria.h"
#include "framework/gui/Document.h"

#include <cstdint>
#include <string>

namespace fw { class ipstream; }

class STLM5doc : public fw::FileDocument {
public:
    static const char* const kSignature;  // "Quillon Software - Stellum - Main Document"
    static constexpr std::int32_t kVersion = 5;
    static const char* const kDocumentName;  // "STLM4 Document"
    static constexpr int kDocumentNameProperty = 11;
    // Flag bit: the clock followed the computer's clock when the file was saved.
    static constexpr std::uint32_t kSystemTimeFlag = 0x1;
    // The largest planner file read: many times the size of any the program writes.
    static constexpr std::size_t kMaxFileSize = 4u << 20;

    STLM5doc();
    ~STLM5doc() override;

    // The one-document rule: false while another planner document is open.
    bool InitDoc() override;
    // Reads the file at the document's path into the application's state; a damaged file is
    // refused whole and nothing of it is applied.
    bool Open(int mode, const std::string& path = {}) override;
    // The same from the bytes of a planner file.
    bool Read(const std::string& bytes);
    bool Close() override;
    // Writes the application's state to the document's path in place of the old file; the
    // old file stays whole when the writing fails.
    bool Commit(bool force = false) override;
    // Whether the application's state differs from what was last read or saved.
    bool IsDirty() override;

    int PropertyCount() override { return fw::FileDocument::NextProperty - 1; }
    int FindProperty(const std::string& name) override;
    int PropertyFlags(int index) override;
    std::string PropertyName(int index) override;
    int GetProperty(int index, char* buffer, int size) override;

    // The version-5 bytes of the application's present state (what Commit writes).
    static std::string StateBytes(std::uint32_t flags, const std::string& text);

    // Whether a planner document is open (the one-document rule's flag); tests reset it.
    static bool PlannerDocumentOpen() { return documentOpen_; }
    static void ResetPlannerDocumentFlag() { documentOpen_ = false; }

    const JulianDate& SavedDate() const { return dateTime_; }
    const ObsSite& SavedSite() const { return site_; }
    std::uint32_t Flags() const { return flags_; }

private:
    bool ReadVersion5(fw::ipstream& is);
    bool ReadVersion4(fw::ipstream& is);
    // Takes the date and the site as a file gave them into the application.
    void ApplyDateAndSite();
    // The database's settings as they now stand become what IsDirty compares with.
    void RememberDatabaseState();

    JulianDate dateTime_;
    ObsSite site_;
    SortCriteria sort_;
    FilterSettings filter_;
    std::string text_;
    std::uint32_t flags_ = 0;
    bool holdsFlag_ = false;

    static bool documentOpen_;
};
