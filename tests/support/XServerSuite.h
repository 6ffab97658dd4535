// Test suites that share one private X server: started before the suite's first test,
// stopped after its last. A test skips itself when the server or a client it needs is
// missing (see missingForX).
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "tests/support/XServer.h"

template <typename Base = ::testing::Test>
class XServerSuite : public Base {
protected:
    static void SetUpTestSuite() { server() = new XServer; }
    static void TearDownTestSuite() {
        delete server();
        server() = nullptr;
    }

    // What the test lacks, or nothing: `if (auto m = missingForX({"xdotool"}); !m.empty())
    // GTEST_SKIP() << m;`
    static std::string missingForX(std::initializer_list<const char*> programs = {}) {
        if (!server() || !server()->ok()) return "Xvfb is not available";
        for (const char* program : programs)
            if (!haveProgram(program)) return std::string(program) + " is not available";
        return {};
    }

    static XServer*& server() {
        static XServer* shared = nullptr;
        return shared;
    }
};
