// Whole-game benchmark: Luka's scripted run of the tests (the title, the
// five stages 266 to 270, Silvy's fight and defeat, the clear scene in 271
// and back to the title), with the fixed seed and the scripted mouse, every
// frame drawn into the software device. Each frame's logic (input, sound,
// the game state's step) and drawing (clear, the state's drawing, present)
// are timed apart on one core. Prints the median, the 99th percentile and
// the worst frame, and the worst frames with where they fall: the stage, the
// game state, the running scene and the characters in play.
//
// Usage: whole_game_bench [--runs N] [--worst N]
//   runs   the run is made N times (default 3) and each frame keeps its
//          fastest time, which takes out most of what other work on the
//          machine adds; the run is the same frame for frame each time
//   worst  how many of the worst frames are listed (default 12)
#include <gtest/gtest.h>
#include <cxxabi.h>
#include <sched.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include "ui/WholeGameRun.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

std::string Demangled(const std::type_info& type) {
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> name(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status),
                                                     &std::free);
    return status == 0 && name ? name.get() : type.name();
}

struct FrameCost {
    double logic = 0, drawing = 0;
    double Total() const { return logic + drawing; }
    int32_t stageBefore = 0, stage = 0;
    std::string state, scene;
    int32_t characters = 0;
};

// Every run's frames, in order.
std::vector<std::vector<FrameCost>> g_runs;

class WholeGameBench : public testing_support::WholeGame {
protected:
    void SetUp() override {
        WholeGame::SetUp();
        drawEvery = 1;
        g_runs.emplace_back();
    }
    // The game object's frame step, with its logic and its drawing timed
    // apart.
    void Frame(int frames = 1) override {
        for (int i = 0; i < frames; ++i) {
            now += CGameMain::kFrameMs;
            g_frameStarted = true;
            g_lastFrameTime = now;
            const int32_t stageBefore = game->m_mapId;
            const auto t0 = Clock::now();
            ++game->m_frameCount;
            CMyInput::GetInstance()->Poll();
            CSoundManager::GetInstance()->Update();
            states->DoAction();
            const auto t1 = Clock::now();
            game->Draw();
            const auto t2 = Clock::now();
            FrameCost cost;
            cost.logic = Ms(t1 - t0);
            cost.drawing = Ms(t2 - t1);
            cost.stageBefore = stageBefore;
            cost.stage = game->m_mapId;
            const CGameState* state = states->GetCurrent();
            cost.state = state ? Demangled(typeid(*state)) : "-";
            const CEvent* scene = Director()->GetCurrent();
            cost.scene = scene ? Demangled(typeid(*scene)) : "-";
            cost.characters = game->m_characterList.GetCount() + game->m_subCharacterList.GetCount();
            g_runs.back().push_back(std::move(cost));
        }
    }
};

TEST_F(WholeGameBench, LukasRun) { PlayLukaFromTheTitleToTheClearAndBack(); }

double Percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    const size_t i = std::min(v.size() - 1, static_cast<size_t>(p * static_cast<double>(v.size() - 1) + 0.5));
    return v[i];
}

void PrintLine(const char* name, const std::vector<double>& v) {
    double sum = 0;
    for (double x : v) sum += x;
    std::printf("  %-8s mean %.3f  median %.3f  p99 %.3f  worst %.3f ms\n", name, sum / v.size(), Percentile(v, 0.5),
                Percentile(v, 0.99), *std::max_element(v.begin(), v.end()));
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 3, worst = 12;
    std::vector<char*> rest{argv[0]};
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--worst") == 0 && i + 1 < argc) worst = std::max(0, std::atoi(argv[++i]));
        else rest.push_back(argv[i]);
    }
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    // One core: the one this started on.
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(sched_getcpu(), &one);
    sched_setaffinity(0, sizeof one, &one);

    int restCount = static_cast<int>(rest.size());
    ::testing::InitGoogleTest(&restCount, rest.data());
    ::testing::GTEST_FLAG(repeat) = runs;
    ::testing::GTEST_FLAG(brief) = true;
    if (RUN_ALL_TESTS() != 0) {
        std::fprintf(stderr, "whole_game_bench: the run failed\n");
        return 1;
    }
    // Each frame's fastest time over the runs.
    std::vector<FrameCost> frames = g_runs.front();
    for (const auto& run : g_runs) {
        if (run.size() != frames.size()) {
            std::fprintf(stderr, "whole_game_bench: the runs differ (%zu frames against %zu)\n", run.size(),
                         frames.size());
            return 1;
        }
        for (size_t i = 0; i < run.size(); ++i) {
            frames[i].logic = std::min(frames[i].logic, run[i].logic);
            frames[i].drawing = std::min(frames[i].drawing, run[i].drawing);
        }
    }
    std::vector<double> logic, drawing, total;
    for (const FrameCost& f : frames) {
        logic.push_back(f.logic);
        drawing.push_back(f.drawing);
        total.push_back(f.Total());
    }
    std::printf("whole_game_bench: %zu frames, each the fastest of %d runs, on one core\n", frames.size(), runs);
    PrintLine("logic", logic);
    PrintLine("drawing", drawing);
    PrintLine("total", total);
    std::vector<size_t> order(frames.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return frames[a].Total() > frames[b].Total(); });
    std::printf("  the worst frames:\n");
    for (int i = 0; i < worst && i < static_cast<int>(order.size()); ++i) {
        const FrameCost& f = frames[order[i]];
        const std::string stage = f.stageBefore == f.stage
                                      ? std::to_string(f.stage)
                                      : std::to_string(f.stageBefore) + " to " + std::to_string(f.stage);
        std::printf("  %6zu  %.3f ms (logic %.3f, drawing %.3f)  stage %s  %s  scene %s  %d characters\n", order[i],
                    f.Total(), f.logic, f.drawing, stage.c_str(), f.state.c_str(), f.scene.c_str(), f.characters);
    }
    return 0;
}
