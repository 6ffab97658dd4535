// The built Marvolenzik.so, opened once per test program through dlopen, and a host
// that records every request the plug-in makes.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "tools/host/Host.h"
#include "tools/host/PluginInstance.h"
#include "tools/host/PluginLibrary.h"

inline const vsthost::PluginLibrary& marvolenzikLibrary() {
    static const vsthost::PluginLibrary library(MARVOLENZIK_PLUGIN_PATH);
    return library;
}

class PluginTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.setRecording(true);
        ASSERT_TRUE(marvolenzikLibrary().ok()) << marvolenzikLibrary().error();
        plugin = std::make_unique<vsthost::PluginInstance>(host, marvolenzikLibrary());
        ASSERT_TRUE(plugin->ok());
        host.clearRequests();
    }

    AEffect& record() { return *plugin->effect(); }

    // Number of requests with the given opcode since the last clearRequests().
    long requestCount(VstInt32 opcode) const {
        const auto requests = host.requests();
        return std::count_if(requests.begin(), requests.end(),
                             [&](const vsthost::HostRequest& r) { return r.opcode == opcode; });
    }

    vsthost::Host host;
    std::unique_ptr<vsthost::PluginInstance> plugin;
};
