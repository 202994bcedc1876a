#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "datagen/EngineFixture.h"
#include "engine/Engine.h"
#include "textutil/ErrorReporter.h"

namespace pv {

// Starts the engine once without dictionary data and resets it before each
// test; error boxes are collected instead of printed.
class EngineTest : public ::testing::Test, public ErrorReporter {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(StartEngine(EngineFixtureFolder())); }
    void SetUp() override {
        ResetEngine();
        TargetLanguage = kBulgarian;
        SetErrorReporter(this);
    }
    void TearDown() override {
        SetErrorReporter(nullptr);
        TargetLanguage = kBulgarian;
    }
    void ShowError(const std::u16string& text) override { errors.push_back(text); }

    std::vector<std::u16string> errors;
};

}  // namespace pv
