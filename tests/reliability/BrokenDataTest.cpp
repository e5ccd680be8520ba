// The whole show played by the real program on a copy of the data set with
// one file removed, replaced by garbage of the same size, or emptied: every
// run exits 0, plays the eight scenes to their ends and says once, clearly,
// which file is wrong, and nothing about any other.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <ostream>

#include "DataCopy.h"
#include "support/ShowProcess.h"

namespace {

const char* const kDamages[] = {"removed", "garbage", "empty"};

struct BrokenFile {
    std::string name;
    int damage;  // index into kDamages
};

// Test names and failure lines show the file and the damage.
void PrintTo(const BrokenFile& broken, std::ostream* out) { *out << broken.name << " " << kDamages[broken.damage]; }

std::vector<BrokenFile> everyBrokenFile() {
    std::vector<BrokenFile> cases;
    for (const std::string& name : builtDataFiles()) {
        for (int damage = 0; damage < 3; ++damage) cases.push_back({name, damage});
    }
    return cases;
}

std::string caseName(const ::testing::TestParamInfo<BrokenFile>& info) {
    std::string name = info.param.name + "_" + kDamages[info.param.damage];
    for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

// A message box (its caption first, as headless runs write it) or else a
// diagnostic line.
bool isMessageBox(const std::string& line) {
    return line.rfind("Error: ", 0) == 0 || line.rfind("-=(Status)=-: ", 0) == 0 || line.rfind("-=(ERROR)=-: ", 0) == 0;
}

class BrokenDataTest : public ::testing::TestWithParam<BrokenFile> {};

TEST_P(BrokenDataTest, ShowPlaysToTheEndWithOneMessageForTheFile) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display: run under xvfb-run";
    const BrokenFile& broken = GetParam();
    DataCopy copy(caseName({broken, 0}));
    ASSERT_TRUE(copy.ok()) << "cannot copy " << builtDataDir();
    const std::string path = copy.file(broken.name);
    const size_t size = std::filesystem::file_size(path);
    const bool damaged =
        broken.damage == 0 ? std::remove(path.c_str()) == 0 : writeGarbage(path, broken.damage == 1 ? size : 0);
    ASSERT_TRUE(damaged);

    // Two frames a second of the stepped clock, a tiny window; silent unless
    // the soundtrack is the damaged file (music slows the frames).
    ShowRequest request = steppedShow(copy.folder(), "2");
    if (broken.name != "zik.mp3") request.args.push_back("--no-music");
    const ShowRun run = runShow(request);

    ASSERT_FALSE(run.timedOut) << "hung; standard error:\n" << run.errors;
    ASSERT_EQ(run.killedBy, 0) << "crashed; standard error:\n" << run.errors;
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    const std::string timings = checkSceneTimings(run.output, 2.0);
    EXPECT_TRUE(timings.empty()) << timings;

    const std::vector<std::string> naming = linesContaining(run.errors, "data/" + broken.name);
    ASSERT_FALSE(naming.empty()) << "nothing says data/" << broken.name << " is wrong:\n" << run.errors;
    const long boxes = std::count_if(naming.begin(), naming.end(), isMessageBox);
    EXPECT_TRUE(boxes == 1 || naming.size() == 1) << "one message box, or else one line:\n" << run.errors;
    EXPECT_EQ(linesContaining(run.errors, "data/").size(), naming.size()) << "other files named:\n" << run.errors;
}

INSTANTIATE_TEST_SUITE_P(EveryDataFile, BrokenDataTest, ::testing::ValuesIn(everyBrokenFile()), caseName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(BrokenDataTest);

}  // namespace
