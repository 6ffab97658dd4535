// Parameters and the program as a host lists, sets, saves and restores them.
#include <string>
#include <vector>

#include "LoadedPlugin.h"

namespace {

struct ParameterRow {
    const char* name;
    float defaultValue;
    const char* display;
};

constexpr ParameterRow kParameters[] = {
    {"Gain", 0.0f, "0.000"},      {"Volume", 1.0f, "1.000"},    {"Attack", 0.2f, "0.200"},
    {"Release", 0.5f, "0.500"},   {"Ratio", 0.8f, "0.800"},     {"LeftGrid", 0.3f, "0.300"},
    {"RightGrid", 0.3f, "0.300"}, {"Dry-Wet", 1.0f, "1.000"},   {"Power", 1.0f, "1.000"},
    {"Autogain", 1.0f, "1.000"},  {"Sidechain", 0.0f, "0.000"},
};

TEST_F(PluginTest, DefaultsNamesAndDisplaysAfterConstruction) {
    for (int i = 0; i < 11; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(plugin->getParameter(i), kParameters[i].defaultValue);
        EXPECT_EQ(plugin->parameterName(i), kParameters[i].name);
        EXPECT_EQ(plugin->parameterDisplay(i), kParameters[i].display);
        EXPECT_EQ(plugin->parameterLabel(i), "");
    }
    for (int i = 11; i < 24; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(plugin->getParameter(i), 0.5f);
        EXPECT_EQ(plugin->parameterName(i), "-");
        EXPECT_EQ(plugin->parameterDisplay(i), "0.500");
        EXPECT_EQ(plugin->parameterLabel(i), "");
    }
    EXPECT_EQ(host.requests().size(), 0u);
}

TEST_F(PluginTest, NamesOutsideTheActiveParametersAreDashes) {
    for (VstInt32 index : {11, 23, 24, 100, -1}) EXPECT_EQ(plugin->parameterName(index), "-");
    for (VstInt32 index : {24, 100, -1}) EXPECT_EQ(plugin->parameterLabel(index), "");
}

TEST_F(PluginTest, ValuesAreStoredUnclamped) {
    const struct {
        float value;
        const char* display;
    } cases[] = {{1.5f, "1.500"}, {-0.25f, "-0.250"}, {0.0005f, "0.001"}, {0.0004f, "0.000"}};
    for (const auto& c : cases) {
        plugin->setParameter(0, c.value);
        EXPECT_EQ(plugin->getParameter(0), c.value);
        EXPECT_EQ(plugin->parameterDisplay(0), c.display);
    }
}

TEST_F(PluginTest, IndicesOutsideTheTwentyFourTouchNothing) {
    std::vector<float> before;
    for (int i = 0; i < 24; ++i) before.push_back(plugin->getParameter(i));
    for (VstInt32 index : {24, 25, 1000, -1, -1000}) {
        plugin->setParameter(index, 0.123f);
        EXPECT_EQ(plugin->getParameter(index), 0.0f);
        EXPECT_EQ(plugin->parameterDisplay(index), "-");
    }
    for (int i = 0; i < 24; ++i) EXPECT_EQ(plugin->getParameter(i), before[i]);
}

TEST_F(PluginTest, ProgramNamesAndTheInitRule) {
    EXPECT_EQ(plugin->text(effGetProgramName), "Default");
    EXPECT_EQ(plugin->text(effGetProgramNameIndexed, 0), "Default");
    char buffer[64] = "untouched";
    EXPECT_EQ(plugin->dispatch(effGetProgramNameIndexed, 1, 0, buffer), 0);
    EXPECT_EQ(plugin->dispatch(effGetProgramNameIndexed, -1, 0, buffer), 0);
    EXPECT_STREQ(buffer, "untouched");

    char init[] = "Init";
    plugin->dispatch(effSetProgramName, 0, 0, init);
    EXPECT_EQ(plugin->text(effGetProgramName), "Init");
    EXPECT_EQ(plugin->text(effGetProgramNameIndexed, 0), "Init 1");

    char init2[] = "Init 2";
    plugin->dispatch(effSetProgramName, 0, 0, init2);
    EXPECT_EQ(plugin->text(effGetProgramNameIndexed, 0), "Init 2");

    char longName[] = "A name far longer than twenty-three characters";
    plugin->dispatch(effSetProgramName, 0, 0, longName);
    EXPECT_EQ(plugin->text(effGetProgramName), std::string(longName, 23));
}

TEST_F(PluginTest, HostCanSaveAndRestoreAnInstance) {
    std::vector<float> saved;
    for (int i = 0; i < 24; ++i) {
        plugin->setParameter(i, 0.01f * static_cast<float>(i * 3 + 1));
        saved.push_back(plugin->getParameter(i));
    }
    char name[] = "Mix bus";
    plugin->dispatch(effSetProgramName, 0, 0, name);

    vsthost::PluginInstance restored(host, marvolenzikLibrary());
    for (int i = 0; i < 24; ++i) restored.setParameter(i, saved[i]);
    char savedName[] = "Mix bus";
    restored.dispatch(effSetProgramName, 0, 0, savedName);
    for (int i = 0; i < 24; ++i) EXPECT_EQ(restored.getParameter(i), saved[i]);
    EXPECT_EQ(restored.text(effGetProgramName), "Mix bus");
}

TEST_F(PluginTest, ParameterChangesFromTheHostSendNoAutomation) {
    plugin->setParameter(3, 0.7f);
    plugin->dispatch(effSetProgram, 0, 0);
    EXPECT_EQ(requestCount(audioMasterAutomate), 0);
}

}  // namespace
