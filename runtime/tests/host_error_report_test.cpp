// The release's error report, row by row: adjusted number, line, class, and
// what the caller configured (skipped codes, own texts, numbers without rows).
#include "runtime/host_error_report.h"

#include <gtest/gtest.h>

#include "platform/forms/headless_ui.h"
#include "platform/forms/session.h"
#include "runtime/host_screen.h"

namespace corvena::runtime {
namespace {

struct Case {
  std::int32_t number;
  std::string description;
  std::string line;  // empty: skipped
  std::string errorClass;
};

constexpr std::int32_t kObject = HostObjectErrorBase;

TEST(HostErrorReport, EachRowOfTheTable) {
  const Case cases[] = {
      {kObject + 2048, "126 busy", "", ""},
      {kObject + 2048, "3007 taken", "Duplicate reference number for customer C1", "NOTFATAL"},
      {kObject + 2048, "5 oops", "Unexpected error #2048: 5 oops. ", "NOTFATAL"},
      {kObject + 2049, "12 disk", "Fatal Corvena Error: 12:12 disk", "FATAL"},
      {kObject + 2050, "0 no control", "Fatal Internal Object Model Error: 0:0 no control", "FATAL"},
      {kObject + 7506, "nobody", "Not Logged in: nobody", "STARTUP"},
      {kObject + 7516, "r", "User has insufficient rights: r", "STARTUP"},
      {kObject + 7517, "l", "User has limited access: l", "STARTUP"},
      {kObject + 7519, "2 gone", "Operating System Error: 22 gone", "STARTUP"},
      {kObject + 7520, "bad", "Error during load: bad", "STARTUP"},
      {kObject + 7521, "i", "User does not have rights for initialize mode: i", "STARTUP"},
      {kObject + 7555, "h", "No object handle: h", "STARTUP"},
      {13, "Type mismatch", "Unexpected error #2147221517: Type mismatch. ", "STARTUP"},
      {2147000000, "too big", "Unexpected error #2147000000: too big. ", "STARTUP"},
      {kObject - 5, "Corvena says no", "Unexpected error #-5: Corvena says no. ", "STARTUP"},
  };
  forms::Session session;
  forms::SessionScope scope(session);
  session.setUi(std::make_unique<forms::HeadlessUi>());
  std::vector<std::string> aborted;
  const HostErrorReport report{.skippedCodes = {126},
                               .codeTexts = {{3007, "Duplicate reference number for customer C1"}},
                               .abort = [&](std::string_view c) { aborted.emplace_back(c); }};
  std::size_t lines = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.description);
    aborted.clear();
    const ReportedError r = ReportHostError(report, c.number, c.description);
    EXPECT_EQ(r.skipped, c.line.empty());
    EXPECT_EQ(r.line, c.line);
    EXPECT_EQ(aborted, c.line.empty() ? std::vector<std::string>{} : std::vector{c.errorClass});
    if (c.line.empty()) continue;
    ASSERT_EQ(session.messages().statusLog().size(), ++lines);
    EXPECT_EQ(session.messages().statusLog().back().text, c.line);
    EXPECT_EQ(session.messages().statusLog().back().mode, forms::kStatusError);
  }
}

TEST(HostErrorReport, ANumberWithoutARowOfItsOwnFallsUnderTheLast) {
  forms::Session session;
  forms::SessionScope scope(session);
  const HostErrorReport report{.numbersWithoutRows = {7506}};
  const ReportedError r = ReportHostError(report, kObject + 7506, "nobody");
  EXPECT_EQ(r.line, "Unexpected error #7506: nobody. ");
  EXPECT_EQ(r.errorClass, "STARTUP");
}

}  // namespace
}  // namespace corvena::runtime
