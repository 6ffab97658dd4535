#include "tests/validator/ValidatorReport.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <regex>

#include "tests/host/HostProcess.h"

std::string verdictLine(const std::string& out, const std::string& check) {
    const std::regex line("(^|\n)((PASS|FAIL|SKIP)  " + check + " [^\n]*)");
    std::smatch match;
    return std::regex_search(out, match, line) ? match[2].str() : std::string();
}

int countVerdicts(const std::string& out, const std::string& prefix, const std::string& verdict) {
    int count = 0;
    for (const char* word : {"PASS", "FAIL", "SKIP"}) {
        if (!verdict.empty() && verdict != word) continue;
        const std::string start = std::string(word) + "  " + prefix;
        for (std::size_t at = 0; (at = out.find(start, at)) != std::string::npos; at += start.size())
            if (at == 0 || out[at - 1] == '\n') ++count;
    }
    return count;
}

void expectCaught(const std::string& plugin, const std::string& only, const std::string& check,
                  const std::string& reason, const std::vector<std::string>& options) {
    std::vector<std::string> arguments{"validate", "--seed", "11", "--only", only};
    arguments.insert(arguments.end(), options.begin(), options.end());
    arguments.push_back(plugin);
    const HostRun run = runHost(arguments);
    EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
    const std::string line = verdictLine(run.out, check);
    EXPECT_EQ(line.rfind("FAIL", 0), 0u) << run.out;
    EXPECT_TRUE(std::regex_search(line, std::regex(reason))) << line;
    EXPECT_TRUE(std::regex_search(run.out, std::regex("\n[0-9]+ passed, [1-9][0-9]* failed"))) << run.out;
}

std::string faultName(const ::testing::TestParamInfo<Fault>& info) {
    std::string name = std::filesystem::path(info.param.plugin).stem().string();
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return name;
}

TEST_P(CatchesFault, WithTheCheckMeantForItAndSurvives) {
    const Fault& fault = GetParam();
    expectCaught(fault.plugin, fault.only, fault.check, fault.reason, {"--budget", fault.budget});
}
