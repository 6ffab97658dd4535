// The validator's report as the tests read it, and the run that shows a seeded fault caught.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The verdict line of a check, or an empty text.
std::string verdictLine(const std::string& out, const std::string& check);

// The verdict lines (PASS, FAIL or SKIP, or only `verdict`) of the checks whose names start
// with `prefix`.
int countVerdicts(const std::string& out, const std::string& prefix = "", const std::string& verdict = "");

// Runs validate with a fixed seed on the checks `only` names (and `options`): the check
// `check` must fail with a reason matching `reason`, and the validator still tally its run.
void expectCaught(const std::string& plugin, const std::string& only, const std::string& check,
                  const std::string& reason, const std::vector<std::string>& options = {});

// A plug-in with one deliberate fault, the checks run on it (`only`), the check that must
// catch it and a pattern its verdict line must hold. Each format's tests instantiate
// CatchesFault with their own.
struct Fault {
    const char* plugin;
    const char* only;
    const char* check;
    const char* reason;
    const char* budget = "120";  // seconds per group of checks
};

class CatchesFault : public ::testing::TestWithParam<Fault> {};

// The faulty plug-in's file name, as the test's name.
std::string faultName(const ::testing::TestParamInfo<Fault>& info);
