// The installer's languages: the fourteen codes and names, the aliases of other Windows
// language codes, the user's language from the Windows settings, and the package's table of
// provided languages read from the install script.
#pragma once

#include "installer/support/StreamField.h"

namespace kw {

enum { kLanguageCount = 14, kLanguagePlaces = 20, kEnglishUs = 3 };

// Code ("deu") and name ("German") of a language index 0-13; a check failure and "" otherwise.
const char* LanguageCode(int index);
const char* LanguageName(int index);
// The index whose code equals the text ignoring case, else the first alias that does, else -1.
int FindLanguage(const char* code);
// sLanguage of section "Intl" of win.ini (default "enu") through FindLanguage; 3 when unknown.
int UserLanguage();

class LanguageTable : public Persistent {
public:
    int defaultIndex = kEnglishUs;
    int provided[kLanguagePlaces] = {};

    // The user's language when the package provides it, else the package's default.
    int Choose() const;
    // The default index, then 11 flags for scripts before version 302, else 20.
    bool Read(PortableReader& reader) override;
    bool Write(PortableWriter& writer) override; // not supported: check failure, false
    StreamField* const* FieldList() override;
};

} // namespace kw
