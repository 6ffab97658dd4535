// The params and state extensions through the built plug-in: the eleven parameters with
// their ids, ranges and texts, changes through flush while not processing, and state that
// survives streams giving one byte at a time and refuses what is cut short or not its own.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>

#include "effect/ParameterUnits.h"
#include "effect/Parameters.h"
#include "tests/clap/ClapTestSupport.h"

namespace {

TEST(ClapParameters, TheElevenActingOnesUnderTheirIndicesWithTheVst2Names) {
    auto plugin = makeClapInstance();
    const auto infos = plugin->parameterInfos();
    ASSERT_EQ(infos.size(), 11u);
    for (uint32_t i = 0; i < infos.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(infos[i].id, i);
        EXPECT_STREQ(infos[i].name, parameter::name(static_cast<int32_t>(i)));
        EXPECT_TRUE(infos[i].flags & CLAP_PARAM_IS_AUTOMATABLE);
        EXPECT_LT(infos[i].min_value, infos[i].max_value);
        EXPECT_GE(infos[i].default_value, infos[i].min_value);
        EXPECT_LE(infos[i].default_value, infos[i].max_value);
        EXPECT_EQ(plugin->value(i), infos[i].default_value) << "a new instance holds its defaults";
    }
    EXPECT_FALSE(plugin->value(11)) << "the placeholders are not shown";
}

// What a host shows, for values a user knows from the panel and the read-out.
TEST(ClapParameters, TextsInRealUnitsBothWays) {
    auto plugin = makeClapInstance();
    struct Shown {
        clap_id id;
        double value;
        const char* text;
    };
    for (const Shown& s : {Shown{0, 0.0, "0.00 dB"}, Shown{1, -6.0, "-6.00 dB"}, Shown{2, 1.2024418731186153, "1.20 ms"},
                           Shown{3, 50.0, "50.00 (430 ms)"}, Shown{4, 80.0, "80.00"}, Shown{7, 100.0, "100.0 %"},
                           Shown{8, 1.0, "On"}, Shown{9, 0.0, "Off"}, Shown{10, 0.0, "Off"}, Shown{10, 1.0, "100 Hz"},
                           Shown{10, 2.0, "200 Hz"}}) {
        SCOPED_TRACE(s.text);
        EXPECT_EQ(plugin->valueText(s.id, s.value), s.text);
        const auto back = plugin->textValue(s.id, s.text);
        ASSERT_TRUE(back);
        EXPECT_NEAR(*back, s.value, 0.01);
    }
    EXPECT_EQ(plugin->textValue(1, "-12 dB"), -12.0);
    EXPECT_EQ(plugin->textValue(1, "-12"), -12.0);
    EXPECT_EQ(plugin->textValue(8, "on"), 1.0);
    EXPECT_EQ(plugin->textValue(10, "2"), 2.0);
    for (const char* refused : {"", "loud", "1,5", "12 ms", "nan"}) EXPECT_FALSE(plugin->textValue(1, refused)) << refused;
    EXPECT_FALSE(plugin->textValue(10, "1.5")) << "a selector takes whole positions";
}

TEST(ClapParameters, ChangesThroughFlushWhileNotProcessing) {
    auto plugin = makeClapInstance();
    plugin->queueValue(parameter::kVolume, -20.0);
    plugin->queueValue(parameter::kPower, 0.0);
    plugin->flush();
    // Stored as normalised single-precision floats: real values come back to within that.
    EXPECT_NEAR(plugin->value(parameter::kVolume).value_or(0.0), -20.0, 1e-5);
    EXPECT_EQ(plugin->value(parameter::kPower), 0.0);
    plugin->queueValue(parameter::kVolume, 999.0);  // beyond the range: its end
    plugin->flush();
    EXPECT_EQ(plugin->value(parameter::kVolume), 0.0);
}

// A host's streams hand over what they like per call.
struct ByteStreams {
    std::string bytes;
    std::size_t readPosition = 0;
    std::size_t chunk = 1;

    clap_ostream_t out{this, [](const clap_ostream_t* s, const void* data, uint64_t size) -> int64_t {
                           auto& self = *static_cast<ByteStreams*>(s->ctx);
                           const std::size_t n = std::min<std::size_t>(self.chunk, size);
                           self.bytes.append(static_cast<const char*>(data), n);
                           return static_cast<int64_t>(n);
                       }};
    clap_istream_t in{this, [](const clap_istream_t* s, void* data, uint64_t size) -> int64_t {
                          auto& self = *static_cast<ByteStreams*>(s->ctx);
                          const std::size_t n =
                              std::min<std::size_t>({self.chunk, size, self.bytes.size() - self.readPosition});
                          std::memcpy(data, self.bytes.data() + self.readPosition, n);
                          self.readPosition += n;
                          return static_cast<int64_t>(n);
                      }};
};

TEST(ClapState, RoundTripsThroughStreamsOfOneByteAndOfAnySize) {
    for (const std::size_t chunk : {std::size_t{1}, std::size_t{3}, std::size_t{4096}}) {
        SCOPED_TRACE(chunk);
        auto source = makeClapInstance(), target = makeClapInstance();
        source->queueValue(parameter::kRatio, 33.0);
        source->queueValue(parameter::kSidechain, 2.0);
        source->queueValue(parameter::kGain, 12.5);
        source->flush();
        ByteStreams streams;
        streams.chunk = chunk;
        ASSERT_TRUE(source->state()->save(source->plugin(), &streams.out));
        ASSERT_TRUE(target->state()->load(target->plugin(), &streams.in));
        for (clap_id id = 0; id < 11; ++id) EXPECT_EQ(target->value(id), source->value(id)) << id;
        EXPECT_EQ(streams.readPosition, streams.bytes.size()) << "it read what was written, no more";
        EXPECT_GE(target->host().rescans(), 1) << "the host is told to read the values again";
    }
}

TEST(ClapState, RefusesWhatIsCutShortOrForeignAndChangesNothing) {
    auto source = makeClapInstance();
    source->queueValue(parameter::kRatio, 10.0);
    source->flush();
    ByteStreams saved;
    saved.chunk = 4096;
    ASSERT_TRUE(source->state()->save(source->plugin(), &saved.out));
    std::vector<std::string> refused;
    for (std::size_t length = 0; length < saved.bytes.size(); length += 7) refused.push_back(saved.bytes.substr(0, length));
    refused.push_back(saved.bytes.substr(0, saved.bytes.size() - 1));
    std::string foreign = saved.bytes;
    foreign[0] = 'X';
    refused.push_back(foreign);
    std::string newer = saved.bytes;
    newer[4] = 2;  // a version this build does not know
    refused.push_back(newer);
    std::string longName = saved.bytes;
    longName[12 + 4 * 24] = 100;  // a name longer than a program name can be
    refused.push_back(longName);
    for (const std::string& bytes : refused) {
        auto target = makeClapInstance();
        ByteStreams streams;
        streams.bytes = bytes;
        EXPECT_FALSE(target->state()->load(target->plugin(), &streams.in)) << bytes.size() << " bytes";
        EXPECT_EQ(target->value(parameter::kRatio), parameter::toReal(parameter::kRatio, 0.8f)) << "untouched";
    }
}

// Calls a host must make on its main thread are refused from others where it can tell.
TEST(ClapThreadRules, MainThreadCallsFromAnotherThreadAreRefused) {
    auto plugin = makeClapInstance();
    bool created = true, activated = true;
    std::thread other([&] {
        created = plugin->gui()->create(plugin->plugin(), CLAP_WINDOW_API_X11, false);
        activated = plugin->plugin()->activate(plugin->plugin(), 48000.0, 1, 512);
    });
    other.join();
    EXPECT_FALSE(created);
    EXPECT_FALSE(activated);
    EXPECT_TRUE(plugin->host().threadViolations().empty());
}

// Outside a process call the audio thread is unknown to the host, and the plug-in refuses.
TEST(ClapThreadRules, ProcessingOffTheAudioThreadIsAnError) {
    auto plugin = makeClapInstance();
    ASSERT_TRUE(plugin->activate(48000.0, 64));
    clap_process_t process{};
    process.frames_count = 0;
    EXPECT_EQ(plugin->plugin()->process(plugin->plugin(), &process), CLAP_PROCESS_ERROR);
}

}  // namespace
