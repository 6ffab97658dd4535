#include "tests/support/JackServer.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "tests/support/XServer.h"

JackServer::JackServer(int sampleRate) {
    const std::string name = "marvolenzik-test-" + std::to_string(getpid());
    setenv("JACK_DEFAULT_SERVER", name.c_str(), 1);
    // No desktop session bus here to negotiate for a sound card, and none is used.
    setenv("JACK_NO_AUDIO_RESERVATION", "1", 1);
    if (!haveProgram("jackd")) return;
    pid = fork();
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        const int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, STDOUT_FILENO);
        dup2(devNull, STDERR_FILENO);
        const std::string rate = std::to_string(sampleRate);
        execlp("jackd", "jackd", "--no-realtime", "-n", name.c_str(), "-d", "dummy", "-r",
               rate.c_str(), "-p", "512", static_cast<char*>(nullptr));
        _exit(127);
    }
    running = pid > 0 && runCommand({"jack_wait", "--wait", "--timeout", "10"}).exitCode == 0;
}

JackServer::~JackServer() {
    if (pid > 0) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
    unsetenv("JACK_DEFAULT_SERVER");
}
