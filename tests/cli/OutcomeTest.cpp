#include "cli/CliView.h"
#include "cli/JsonOutput.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

namespace {

TEST(Outcomes, EachHasAnExitCodeOfItsClassAndAReasonOfItsOwn) {
    std::set<std::string> reasons;
    for (const Outcome outcome : AllOutcomes()) {
        const ExitCode code = ExitCodeFor(outcome);
        EXPECT_EQ(code == ExitCode::OtherFailure, outcome == Outcome::Unexpected);
        EXPECT_EQ(code == ExitCode::Success, outcome == Outcome::Succeeded);
        EXPECT_TRUE(reasons.insert(ReasonName(outcome)).second) << ReasonName(outcome);
    }
    EXPECT_EQ(reasons.size(), static_cast<std::size_t>(Outcome::Stopped) + 1);
}

// The result follows the outcome the download reported, whatever its texts said.
TEST(Outcomes, ARewordedNoticeChangesNeitherTheExitCodeNorTheReason) {
    std::ostringstream out;
    JsonOutput output(out);
    Interruption interruption;
    CliView view(output, {}, interruption);
    view.ShowNotice("a reworded text");
    view.DownloadFailed(Outcome::AuthenticationFailed);
    output.Result(view.Result(view.downloadOutcome));
    EXPECT_NE(out.str().find(R"("exit":5,"notice":"a reworded text","reason":"authentication")"),
              std::string::npos)
        << out.str();
}

} // namespace
