// A fresh emulated machine for tests of the installer: its program at C:\SETUP\KWMAIN.EXE, the
// delivered English language package ($STELLUM_PROGRAM_DIR/kwenu.dll) at hand, and no language
// package left loaded after the test. Also an archive for the copy tests that writes plain bytes.
#pragma once

#include "framework/sys/WinFileSystem.h"
#include "framework/testsupport/RootFixture.h"
#include "installer/support/CopyStreams.h"
#include "installer/support/FilePath.h"
#include "installer/support/LanguageLibrary.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

class InstallerRootFixture : public RootFixture {
protected:
    void SetUp() override
    {
        RootFixture::SetUp();
        fw::WinFileSystem::CreateDirectory("C:\\SETUP");
        kw::SetModulePath("C:\\SETUP\\KWMAIN.EXE");
    }

    // The delivered English package copied beside the installer under the given name.
    void DeliverLanguagePackage(const std::string& name = "kwenu.dll")
    {
        const char* dir = std::getenv("STELLUM_PROGRAM_DIR");
        ASSERT_TRUE(dir) << "STELLUM_PROGRAM_DIR not set";
        const std::string bytes = testsupport::ReadFileBytes(std::string(dir) + "/kwenu.dll");
        ASSERT_FALSE(bytes.empty());
        ASSERT_TRUE(Write("SETUP/" + name, bytes));
    }
    // The delivered English package beside the installer, loaded as the installer's language.
    void LoadLanguagePackage()
    {
        ASSERT_NO_FATAL_FAILURE(DeliverLanguagePackage());
        ASSERT_TRUE(kw::LanguageLibrary::Instance().LoadFile("C:\\SETUP\\kwenu.dll"));
    }
};

// An archive written through the job's archive object, byte for byte; it has no members to read.
struct PlainArchive : kw::CopyArchive {
    bool OpenMember(const char*) override { return false; }
    int ReadMember(void*, int) override { return -1; }
    bool CloseMember() override { return true; }
};
