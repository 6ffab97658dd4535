#include "tests/host/HostProcess.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

extern char** environ;

namespace {

std::string readAll(std::FILE* file) {
    std::rewind(file);
    std::string text;
    char chunk[4096];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, got);
    return text;
}

}  // namespace

HostRun runHost(const std::vector<std::string>& arguments) {
    std::vector<std::string> words{MARVOLENZIK_HOST_PATH};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    if (!out || !err) throw std::runtime_error("no temporary files for the host's output");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fileno(out), 1);
    posix_spawn_file_actions_adddup2(&actions, fileno(err), 2);
    pid_t child = 0;
    HostRun run;
    if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        waitpid(child, &status, 0);
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    run.out = readAll(out);
    run.err = readAll(err);
    std::fclose(out);
    std::fclose(err);
    return run;
}

std::vector<double> jsonNumbers(const std::string& json, const std::string& key) {
    const std::string label = "\"" + key + "\": ";
    std::vector<double> numbers;
    for (std::size_t at = json.find(label); at != std::string::npos;
         at = json.find(label, at + 1)) {
        const char* value = json.c_str() + at + label.size();
        char* end = nullptr;
        const double number = std::strtod(value, &end);
        numbers.push_back(end == value ? std::nan("") : number);  // null, or not a number
    }
    return numbers;
}

double jsonNumber(const std::string& json, const std::string& key) {
    const std::vector<double> numbers = jsonNumbers(json, key);
    return numbers.empty() ? std::nan("") : numbers.front();
}
