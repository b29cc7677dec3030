// rer-cli apply of prompt edits: the prompt pages' rules run as in the
// window, with their messages on stderr.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <fstream>

#include "blank_codeplug_file.h"
#include "cli_runner.h"
#include "codeplug/field_catalogue.h"
#include "core/messages.h"
#include "core/result_codes.h"
#include "temp_path.h"

namespace rer::cli {
namespace {

using testing::RunCli;

std::string Temp(const std::string& name) {
  return rer::testing::TempPath("apply_prompts_") + name;
}

std::string JsonFile(const std::string& json) {
  const std::string path = Temp("settings.json");
  std::ofstream(path) << json;
  return path;
}

std::string Box(int code) {
  const MessageBox box = ComposeError(code);
  return box.title + "\n" + box.text;
}

// A frequency in its band and a valid first address, which every saved
// codeplug needs (the blank base holds neither).
constexpr const char* kInBand =
    R"("ed_frequency": "152.8400", "cb_freqBand": "VHF B Band", "ed_capcode1": "1234567")";

TEST(ApplyPrompts, PromptEditsRunThePromptRules) {
  struct Case {
    std::uint8_t model;
    std::string json;
    std::string control;
    std::string stored;
    std::string err;
  };
  const Case cases[] = {
      // Prompts are stored in upper case, without their outer blanks.
      {0x81, R"("ed_groupPrompt": " group call")", "ed_groupPrompt", "GROUP CALL", ""},
      // A language brings its defaults, before the prompts typed after it.
      {0x81, R"("cb_internationalPrompt": "French")", "ed_setTimeAlarmPrompt", "REGLAGE DE L'HEURE",
       ""},
      {0x84, R"("cb_internationalPrompt": "French", "ed_setTimeAlarmPrompt": "reveil")",
       "ed_setTimeAlarmPrompt", "REVEIL", ""},
      // A character set that does not suit the prompts is warned about and kept.
      {0x84, R"("cb_internationalCharSet": "German")", "cb_internationalCharSet", "German",
       Box(kCharSetMismatchWarning)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.json);
    const std::string base = rer::testing::WriteBlankCodeplugFile(Temp("base.cp"), c.model);
    const std::string out = Temp("applied.cp");
    std::remove(out.c_str());
    const auto result =
        RunCli("apply " + base + " " + JsonFile("{" + std::string(kInBand) + ", " + c.json + "}") +
               " -o " + out);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, c.err);
    const auto dumped = RunCli("dump " + out);
    const QJsonObject settings = QJsonDocument::fromJson(QByteArray::fromStdString(dumped.out))
                                     .object()
                                     .value("settings")
                                     .toObject();
    EXPECT_EQ(settings.value(QString::fromStdString(c.control)).toString().toStdString(), c.stored);
  }
}

TEST(ApplyPrompts, PromptsBeyondThePagersMemoryAreToldAndNothingIsWritten) {
  // Thirty-three prompts of twenty characters: more than the 468 bytes of
  // a small-layout pager.
  std::string json = std::string("{") + kInBand;
  int count = 0;
  for (const ControlEntry& entry : FieldCatalogue::Instance().Entries()) {
    if (entry.keyFilter != KeyFilter::PromptText || count == 33) continue;
    json += ", \"" + entry.name + "\": \"" + std::string(20, 'P') + "\"";
    ++count;
  }
  json += "}";
  const std::string base = rer::testing::WriteBlankCodeplugFile(Temp("base.cp"), 0x81);
  const std::string out = Temp("too_long.cp");
  std::remove(out.c_str());
  const auto result = RunCli("apply " + base + " " + JsonFile(json) + " -o " + out);
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err.substr(0, Box(kMaximumSizeExceeded).size()), Box(kMaximumSizeExceeded));
  const std::string last = "apply: the page checks failed; nothing written\n";
  ASSERT_GE(result.err.size(), last.size());
  EXPECT_EQ(result.err.substr(result.err.size() - last.size()), last);
  struct stat info {};
  EXPECT_NE(stat(out.c_str(), &info), 0) << "nothing may be written";
}

}  // namespace
}  // namespace rer::cli
