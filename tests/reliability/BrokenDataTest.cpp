// The whole show played by the real program on a copy of the data set with
// one file removed, replaced by garbage of the same size, or emptied: every
// run exits 0, plays the eight scenes to their ends and says once, clearly,
// which file is wrong.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <ostream>

#include "DataCopy.h"
#include "support/ShowProcess.h"

namespace {

// A short show: two frames a second of the stepped clock, a tiny window;
// silent unless the soundtrack is the damaged file (music slows the frames).
constexpr double kFps = 2.0;
const std::vector<std::string> kShortShow = {"--play", "--windowed", "--size", "160x120", "--fixed-fps", "2", "--timings"};
const char* const kSoundtrack = "zik.mp3";
const std::vector<std::string> kQuiet = {"SDL_AUDIODRIVER=dummy", "ORVANE_HEADLESS=1"};
constexpr double kRunTimeoutSeconds = 300.0;  // a hang, not a slow machine
// Captions of the message boxes, as they reach standard error headless.
const char* const kCaptions[] = {"Error: ", "-=(Status)=-: ", "-=(ERROR)=-: "};

enum class Damage { removed, garbage, empty };

struct BrokenFile {
    std::string name;
    Damage damage;
};

const char* const kDamageNames[] = {"removed", "garbage", "empty"};

// Test names and failure lines show the file and the damage.
void PrintTo(const BrokenFile& broken, std::ostream* out) {
    *out << broken.name << " " << kDamageNames[static_cast<int>(broken.damage)];
}

std::vector<BrokenFile> everyBrokenFile() {
    std::vector<BrokenFile> cases;
    for (const std::string& name : builtDataFiles()) {
        for (Damage damage : {Damage::removed, Damage::garbage, Damage::empty}) cases.push_back({name, damage});
    }
    return cases;
}

std::string caseName(const ::testing::TestParamInfo<BrokenFile>& info) {
    std::string name = info.param.name + "_" + kDamageNames[static_cast<int>(info.param.damage)];
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    }
    return name;
}

bool damage(const DataCopy& copy, const BrokenFile& broken) {
    const std::string path = copy.file(broken.name);
    switch (broken.damage) {
        case Damage::removed:
            return std::remove(path.c_str()) == 0;
        case Damage::garbage: {
            std::ifstream in(path, std::ios::binary | std::ios::ate);
            const auto size = static_cast<size_t>(in.tellg());
            in.close();
            return writeFileBytes(path, garbageBytes(size, broken.name));
        }
        case Damage::empty:
            return writeFileBytes(path, {});
    }
    return false;
}

bool isMessageBox(const std::string& line) {
    for (const char* caption : kCaptions) {
        if (line.rfind(caption, 0) == 0) return true;
    }
    return false;
}

// Message lines of a run that name no file of the data set but this one.
std::string strayMessages(const std::string& errors, const std::string& name) {
    std::string stray;
    for (const std::string& line : linesContaining(errors, "data/")) {
        if (line.find("data/" + name) == std::string::npos) stray += line + "\n";
    }
    return stray;
}

class BrokenDataTest : public ::testing::TestWithParam<BrokenFile> {};

TEST_P(BrokenDataTest, ShowPlaysToTheEndWithOneMessageForTheFile) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display: run under xvfb-run";
    const BrokenFile& broken = GetParam();
    DataCopy copy(caseName({broken, 0}));
    ASSERT_TRUE(copy.ok()) << "cannot copy " << builtDataDir();
    ASSERT_TRUE(damage(copy, broken));

    ShowRequest request;
    request.args = kShortShow;
    if (broken.name != kSoundtrack) request.args.push_back("--no-music");
    request.workDir = copy.folder();
    request.extraEnv = kQuiet;
    request.timeoutSeconds = kRunTimeoutSeconds;
    const ShowRun run = runShow(request);

    ASSERT_FALSE(run.timedOut) << "hung; standard error:\n" << run.errors;
    ASSERT_EQ(run.killedBy, 0) << "crashed; standard error:\n" << run.errors;
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    const std::string timings = checkSceneTimings(run.output, kFps);
    EXPECT_TRUE(timings.empty()) << timings;

    const std::string path = "data/" + broken.name;
    const std::vector<std::string> naming = linesContaining(run.errors, path);
    ASSERT_FALSE(naming.empty()) << "nothing says " << path << " is wrong:\n" << run.errors;
    // One message: a message box, or failing that one diagnostic line.
    int boxes = 0;
    for (const std::string& line : naming) boxes += isMessageBox(line) ? 1 : 0;
    EXPECT_LE(boxes, 1) << run.errors;
    if (boxes == 0) {
        EXPECT_EQ(naming.size(), 1u) << run.errors;
    }
    EXPECT_EQ(strayMessages(run.errors, broken.name), "") << "messages about other files";
}

INSTANTIATE_TEST_SUITE_P(EveryDataFile, BrokenDataTest, ::testing::ValuesIn(everyBrokenFile()), caseName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(BrokenDataTest);

}  // namespace
