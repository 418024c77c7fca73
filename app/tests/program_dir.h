// A program directory of the tests' own: the built data files linked in, a User folder, the
// working directory and the user's directories inside it.
#pragma once

#include "app/TStellumApp.h"
#include "framework/testsupport/TestSupport.h"

#include <QDir>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>
#include <sys/stat.h>
#include <unistd.h>

namespace apptest {

// A program directory of its own for each test: the built data files linked in, a User
// folder of its own, the working directory (for "Stellum.ini"), $HOME and $XDG_DATA_HOME
// inside it.
class ProgramDir {
public:
    ProgramDir()
    {
        // The user's directories (set by the members) and the working directory come first,
        // data or not: no test may write into the real home.
        oldCwd_ = QDir::currentPath().toStdString();
        if (::chdir(dir_.path().c_str()) != 0) ADD_FAILURE() << "cannot enter " << dir_.path();
        ::mkdir((dir_.path() + "User").c_str(), 0755);
        source_ = testsupport::ProgramDataDir("ngc2k.rsx");
        if (source_.empty()) return;
        testsupport::LinkProgramFiles(source_, dir_.path(),
                                      {"1.rsx", "2.rsx", "3.rsx", "4.rsx", "5.rsx", "6.rsx", "7.rsx", "8.rsx",
                                       "1l.rsx", "2l.rsx", "3l.rsx", "4l.rsx", "5l.rsx", "6l.rsx", "7l.rsx",
                                       "8l.rsx", "9.rsx", "elplores.rsx", "elphires.rsx", "ngc2k.rsx", "dreyer.rsx",
                                       "rssao.cat", "defloc.rsx", "User/comname.txt", "User/conlines.rsx"});
    }
    ~ProgramDir()
    {
        if (!oldCwd_.empty() && ::chdir(oldCwd_.c_str()) != 0) ADD_FAILURE() << "cannot go back";
    }
    // The built data files this directory links to ("" when they are missing).
    const std::string& DataDir() const { return source_; }
    std::string Path(const std::string& name) const { return dir_.path() + name; }
    std::string Program() const { return Path("stlm32"); }
    // The program as started from this directory with the given arguments after its name.
    std::unique_ptr<TStellumApp> App(std::vector<std::string> arguments = {}) const
    {
        arguments.insert(arguments.begin(), Program());
        return std::make_unique<TStellumApp>(arguments);
    }
    // Replaces a linked data file by bytes of its own (empty name: remove it).
    void Replace(const std::string& name, const std::string* bytes)
    {
        std::remove(Path(name).c_str());
        if (bytes) {
            ASSERT_TRUE(testsupport::WriteFileBytes(Path(name), *bytes));
        }
    }

private:
    testsupport::TempDir dir_;
    // The user's directories, set before anything else of the directory is made.
    testsupport::ScopedEnv home_{"HOME", dir_.path()};
    testsupport::ScopedEnv dataHome_{"XDG_DATA_HOME", dir_.path() + "share"};
    std::string source_;
    std::string oldCwd_;
};

} // namespace apptest
