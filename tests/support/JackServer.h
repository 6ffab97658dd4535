// A private JACK server with the dummy driver: a real audio server for tests, needing no
// sound card. Clients started after it find it through JACK_DEFAULT_SERVER.
#pragma once

#include <string>
#include <sys/types.h>

class JackServer {
public:
    explicit JackServer(int sampleRate = 48000);
    ~JackServer();
    JackServer(const JackServer&) = delete;
    JackServer& operator=(const JackServer&) = delete;

    bool ok() const { return running; }

private:
    pid_t pid = -1;
    bool running = false;
};
