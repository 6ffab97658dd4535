// The validator's report as the tests read it, and the run that shows a seeded fault caught.
#pragma once

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
