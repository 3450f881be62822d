#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "win/DebugLog.h"
#include "win/Network.h"

namespace {

class NetworkTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetDebugLogSink([this](const char* text) { outputs.emplace_back(text); });
    }
    void TearDown() override { SetDebugLogSink(nullptr); }

    std::string Joined() const {
        std::string all;
        for (const std::string& s : outputs) all += s;
        return all;
    }

    std::vector<std::string> outputs;
    CNetwork* network = CNetwork::GetInstance();
};

TEST_F(NetworkTest, EachServiceWritesItsCommandLine) {
    network->RateThis();
    network->ShowLeaderboard();
    network->RateMe();
    EXPECT_EQ(outputs, (std::vector<std::string>{"RateThis\n", "ShowLeaderboard\n", "RateMe\n"}));
    EXPECT_TRUE(network->IsAvailable());
    network->Notify(5);
    EXPECT_EQ(outputs.size(), 3u) << "Notify writes nothing";
}

TEST_F(NetworkTest, TextServicesWriteThreePiecesWithTheTextUnchanged) {
    network->Tweet("Corvennic!\n#Corvennic");
    EXPECT_EQ(outputs, (std::vector<std::string>{"Tweet:", "Corvennic!\n#Corvennic", "\n"}));
    outputs.clear();
    network->Tweet("");
    EXPECT_EQ(Joined(), "Tweet:\n");
    outputs.clear();
    network->OpenURL("https://example.org/a b");
    EXPECT_EQ(Joined(), "OpenURL:https://example.org/a b\n");
    outputs.clear();
    network->OpenURL(nullptr);
    EXPECT_EQ(Joined(), "OpenURL:\n");
}

TEST_F(NetworkTest, ScoreLineJoinsKeyAndScoreAndStaysWithinItsBuffer) {
    network->SendScore("ABC", 1234);
    network->SendScore("ABC", -5);
    EXPECT_EQ(outputs, (std::vector<std::string>{"SendScore:ABC1234\n", "SendScore:ABC-5\n"}));
    outputs.clear();
    network->SendScore(std::string(500, 'k').c_str(), 7);
    ASSERT_EQ(outputs.size(), 1u);
    EXPECT_EQ(outputs[0].size(), 127u);
    EXPECT_EQ(outputs[0].rfind("SendScore:kkk", 0), 0u);
}

TEST_F(NetworkTest, LongTextsAreCutInTheLog) {
    network->Tweet(std::string(5000, 'x').c_str());
    ASSERT_EQ(outputs.size(), 3u);
    EXPECT_EQ(outputs[1].size(), static_cast<size_t>(kDebugLogMaxChars));
}

}  // namespace
