// `--param` texts against the parameter names Marvolenzik reports.
#include <gtest/gtest.h>

#include "tools/host/ParameterAssignment.h"
#include "tools/host/ToolError.h"

namespace {

using vsthost::resolveParameterAssignment;

// As the VST 2.4 build reports them: normalised values.
std::vector<vsthost::PluginParameter> marvolenzikNames() {
    std::vector<vsthost::PluginParameter> parameters;
    for (const char* name : {"Gain", "Volume", "Attack", "Release", "Ratio", "LeftGrid", "RightGrid",
                             "Dry-Wet", "Power", "Autogain", "Sidechain"})
        parameters.push_back({name, 0.0, 1.0, 0.0});
    parameters.resize(24, {"-", 0.0, 1.0, 0.5});
    return parameters;
}

struct Accepted {
    const char* text;
    int index;
    double value;
};

TEST(ParameterAssignment, FindsNamesInAnyCaseAndIndices) {
    for (const Accepted& a : {Accepted{"Gain=0.5", 0, 0.5}, Accepted{"gain=0.5", 0, 0.5},
                              Accepted{"DRY-WET=0.25", 7, 0.25}, Accepted{"sidechain=1", 10, 1.0},
                              Accepted{"4=0.8", 4, 0.8}, Accepted{"23=0", 23, 0.0},
                              Accepted{"Ratio=1e-1", 4, 0.1}}) {
        SCOPED_TRACE(a.text);
        const auto assignment = resolveParameterAssignment(a.text, marvolenzikNames());
        EXPECT_EQ(assignment.index, a.index);
        EXPECT_EQ(assignment.value, a.value);
    }
}

// A CLAP plug-in's parameters carry their own ranges, in real units.
TEST(ParameterAssignment, ValuesLieInTheParametersOwnRange) {
    const std::vector<vsthost::PluginParameter> parameters{{"Volume", -50.0, 0.0, 0.0}};
    EXPECT_EQ(resolveParameterAssignment("Volume=-6", parameters).value, -6.0);
    try {
        resolveParameterAssignment("Volume=0.5", parameters);
        ADD_FAILURE() << "accepted";
    } catch (const vsthost::ToolError& error) {
        EXPECT_NE(std::string(error.what()).find("from -50 to 0"), std::string::npos) << error.what();
    }
}

TEST(ParameterAssignment, RefusesWithTheReason) {
    struct Refused {
        const char* text;
        const char* reason;
    };
    for (const Refused& r :
         {Refused{"Loudness=0.5", "unknown parameter 'Loudness'"},
          Refused{"24=0.5", "out of range"}, Refused{"-1=0.5", "out of range"},
          Refused{"-=0.5", "shared by indices 11 and 12"},
          Refused{"Gain=abc", "'abc' is not a number"}, Refused{"Gain=", "'' is not a number"},
          Refused{"Gain=0.5x", "is not a number"}, Refused{"Gain= 0.5", "is not a number"},
          Refused{"Gain=nan", "is not a number"}, Refused{"Gain=inf", "is not a number"},
          Refused{"Gain=1.5", "from 0 to 1"}, Refused{"Gain=-0.1", "from 0 to 1"},
          Refused{"Gain", "NAME=VALUE"}, Refused{"=0.5", "NAME=VALUE"}}) {
        SCOPED_TRACE(r.text);
        try {
            resolveParameterAssignment(r.text, marvolenzikNames());
            ADD_FAILURE() << "accepted";
        } catch (const vsthost::ToolError& error) {
            EXPECT_NE(std::string(error.what()).find(r.reason), std::string::npos) << error.what();
        }
    }
}

TEST(ParameterAssignment, UnknownNameListsTheKnownOnes) {
    try {
        resolveParameterAssignment("Loudness=0.5", marvolenzikNames());
        FAIL();
    } catch (const vsthost::ToolError& error) {
        EXPECT_NE(std::string(error.what()).find("'Gain', 'Volume'"), std::string::npos)
            << error.what();
        EXPECT_EQ(std::string(error.what()).find("'-'"), std::string::npos) << error.what();
    }
}

}  // namespace
