// The desktop's file association: the MIME package and the desktop entry under the data
// home, and their removal, which takes exactly those two files and nothing of anyone else's.
#include "framework/sys/DesktopAssociation.h"
#include "framework/testsupport/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>

using fw::DesktopAssociation;
using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

namespace {

bool Exists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

// Points $XDG_DATA_HOME (or, with xdg empty, only $HOME) at a temporary directory.
class DataHome {
public:
    explicit DataHome(bool xdg)
        : home_("HOME", dir.path()), xdg_("XDG_DATA_HOME", xdg ? (dir.path() + "data").c_str() : nullptr)
    {
    }
    TempDir dir;

private:
    testsupport::ScopedEnv home_, xdg_;
};

fw::DesktopAssociation Planner()
{
    return {"stellum-planner", "application/x-stellum-planner", "Stellum planner document", "*.sl4",
            "Stellum", "/opt/my \"stars\"/stlm32"};
}

TEST(DesktopAssociation, RegisterWritesTheMimeTypeAndAnEntryThatOpensTheFile)
{
    DataHome home(true);
    fw::DesktopAssociation a = Planner();
    EXPECT_EQ(a.MimePackagePath(), home.dir.path() + "data/mime/packages/stellum-planner.xml");
    ASSERT_TRUE(a.Register());
    std::string mime = ReadFileBytes(a.MimePackagePath());
    EXPECT_NE(mime.find("<mime-type type=\"application/x-stellum-planner\">"), std::string::npos);
    EXPECT_NE(mime.find("<glob pattern=\"*.sl4\"/>"), std::string::npos);
    std::string entry = ReadFileBytes(a.DesktopEntryPath());
    EXPECT_NE(entry.find("Exec=\"/opt/my \\\"stars\\\"/stlm32\" %f\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("MimeType=application/x-stellum-planner;\n"), std::string::npos);
    // Registering again (every start) replaces the files in place.
    EXPECT_TRUE(a.Register());
}

TEST(DesktopAssociation, UnregisterRemovesExactlyWhatRegisterWrote)
{
    DataHome home(false);
    fw::DesktopAssociation a = Planner();
    EXPECT_EQ(a.DesktopEntryPath(), home.dir.path() + ".local/share/applications/stellum-planner.desktop");
    ASSERT_TRUE(a.Register());
    std::string neighbour = home.dir.path() + ".local/share/applications/other.desktop";
    ASSERT_TRUE(WriteFileBytes(neighbour, "[Desktop Entry]\n"));
    EXPECT_TRUE(a.Unregister());
    EXPECT_FALSE(Exists(a.DesktopEntryPath()));
    EXPECT_FALSE(Exists(a.MimePackagePath()));
    EXPECT_TRUE(Exists(neighbour));
    // Nothing there: nothing to do.
    EXPECT_TRUE(a.Unregister());

    // A file of the same name that is not ours stays.
    ASSERT_TRUE(WriteFileBytes(a.DesktopEntryPath(), "[Desktop Entry]\nName=Someone else\n"));
    EXPECT_TRUE(a.Unregister());
    EXPECT_TRUE(Exists(a.DesktopEntryPath()));
}

// When a program is removed, the associations that start it go; those of other programs, and
// plain menu entries, stay.
TEST(DesktopAssociation, RemovingAProgramRemovesTheAssociationsThatStartIt)
{
    DataHome home(true);
    fw::DesktopAssociation mine = Planner();
    ASSERT_TRUE(mine.Register());
    fw::DesktopAssociation other = {"stellum-other", "application/x-stellum-other", "Other", "*.oth", "Other",
                                    "/opt/elsewhere/stlm32"};
    ASSERT_TRUE(other.Register());
    const std::string menuEntry = home.dir.path() + "data/applications/stellum-menu.desktop";
    ASSERT_TRUE(WriteFileBytes(menuEntry, "[Desktop Entry]\nExec=\"/opt/my \\\"stars\\\"/stlm32\"\n"));

    EXPECT_TRUE(fw::DesktopAssociation::UnregisterProgram("/opt/my \"stars\"/stlm32"));
    EXPECT_FALSE(Exists(mine.DesktopEntryPath()));
    EXPECT_FALSE(Exists(mine.MimePackagePath()));
    EXPECT_TRUE(Exists(other.DesktopEntryPath()));
    EXPECT_TRUE(Exists(other.MimePackagePath()));
    EXPECT_TRUE(Exists(menuEntry)) << "no file type: not an association";
    EXPECT_TRUE(fw::DesktopAssociation::UnregisterProgram("/opt/my \"stars\"/stlm32")) << "nothing left to do";
}

TEST(DesktopAssociation, NoPlaceToWriteIsReportedNotFatal)
{
    DataHome home(true);
    // The data home is a file: nothing can be made under it.
    ASSERT_TRUE(WriteFileBytes(home.dir.path() + "data", "x"));
    EXPECT_FALSE(Planner().Register());
    unsetenv("XDG_DATA_HOME");
    unsetenv("HOME");
    EXPECT_EQ(fw::DesktopAssociation::DataHome(), "");
    EXPECT_FALSE(Planner().Register());
    EXPECT_FALSE(Planner().Unregister());
}

} // namespace
