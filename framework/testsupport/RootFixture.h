// A fresh emulated machine in a temporary directory, current for the test's duration.
#pragma once

#include "framework/sys/WinRoot.h"
#include "framework/testsupport/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

class RootFixture : public ::testing::Test {
protected:
    testsupport::TempDir tmp;
    std::string rootDir = tmp.file("root");
    fw::WinRoot root{rootDir};
    void SetUp() override { fw::WinRoot::SetCurrent(&root); }
    void TearDown() override { fw::WinRoot::SetCurrent(nullptr); }
    // Host path of a file on drive C: ("x/y.txt").
    std::string C(const std::string& rel) const { return rootDir + "/drive_c/" + rel; }
    std::string Read(const std::string& rel) const { return testsupport::ReadFileBytes(C(rel)); }
    bool Write(const std::string& rel, const std::string& bytes) const
    {
        return testsupport::WriteFileBytes(C(rel), bytes);
    }
};
