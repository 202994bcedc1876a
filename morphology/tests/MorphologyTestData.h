// Loads the shared morphology fixture into the process-wide tables before
// each test, so that tests which install other data leave nothing behind.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "datagen/MorphologyFixture.h"
#include "morphology/WordAnalysis.h"

namespace pv::test {

class MorphologyTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { base_ = MakeMorphologyFixture(); }
    static void TearDownTestSuite() { std::filesystem::remove_all(base_); }
    void SetUp() override { LoadAnalysisTables(base_); }

    static const std::string& Base() { return base_; }

private:
    static inline std::string base_;
};

// A fresh empty folder with a trailing separator, removed with the object.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "pvmorph-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data()) ? pattern + "/" : std::string();
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

}  // namespace pv::test
