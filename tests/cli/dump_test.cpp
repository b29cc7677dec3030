// rer-cli dump: a codeplug file as JSON settings or as a readable report.

#include <gtest/gtest.h>
#include "temp_path.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <fstream>
#include <set>

#include "cli_runner.h"
#include "codeplug/field_catalogue.h"
#include "codeplug/image_fields.h"
#include "codeplug/layout_table.h"
#include "core/messages.h"
#include "pager/codeplug_file.h"

namespace rer::cli {
namespace {

using testing::RunCli;

// A codeplug file of `model` with this program's version and an inventory
// number.
std::string CodeplugFileOf(const std::string& name, std::uint8_t model, int cgrom = 0) {
  CodeplugImage image;
  Layout layout;
  SelectLayout(layout, model);
  ImageFields fields(image, layout);
  fields.SetByte(Field::kModelByte, model);
  fields.SetByte(Field::kCodeplugVersion, 0x14, 0);
  fields.SetByte(Field::kCodeplugVersion, 0x69, 1);
  fields.SetText(Field::kInventoryNumber, "INV0000042");
  const std::string path = rer::testing::TempPath("dump_") + name;
  std::ofstream(path, std::ios::binary)
      << FormatCodeplugFile(image.Bytes(), {static_cast<std::uint8_t>(cgrom), true, model});
  return path;
}

TEST(DumpCommand, JsonNamesEveryControlWithAValueOfItsKind) {
  const auto result = RunCli("dump " + CodeplugFileOf("json.cp", 0x88, 2) + " --format json");
  ASSERT_EQ(result.exitCode, 0) << result.err;
  QJsonParseError error;
  const auto document = QJsonDocument::fromJson(QByteArray::fromStdString(result.out), &error);
  ASSERT_TRUE(document.isObject()) << error.errorString().toStdString();
  const QJsonObject root = document.object();
  EXPECT_EQ(root.value("model").toString(), "0x88");
  EXPECT_EQ(root.value("version").toString(), "Codeplug Version : R040609");
  EXPECT_EQ(root.value("cgrom").toInt(-1), 2);

  const QJsonObject settings = root.value("settings").toObject();
  std::set<std::string> names;
  for (const auto& entry : FieldCatalogue::Instance().Entries()) {
    names.insert(entry.name);
    const QJsonValue value = settings.value(QString::fromStdString(entry.name));
    SCOPED_TRACE(entry.name);
    switch (entry.kind) {
      case ControlKind::CheckBox:
        EXPECT_TRUE(value.isBool());
        break;
      case ControlKind::List:
        ASSERT_TRUE(value.isString() || value.isNull());
        if (value.isString()) {
          const std::string text = value.toString().toStdString();
          EXPECT_NE(std::find(entry.items.begin(), entry.items.end(), text), entry.items.end());
        }
        break;
      default:
        EXPECT_TRUE(value.isString());
    }
  }
  std::set<std::string> keys;
  for (const auto& key : settings.keys()) keys.insert(key.toStdString());
  EXPECT_EQ(keys, names);
  EXPECT_EQ(settings.value("ed_ICN").toString(), "INV0000042");
}

TEST(DumpCommand, TextReportGroupsLabelledValuesByPage) {
  const auto result = RunCli("dump " + CodeplugFileOf("text.cp", 0x81) + " --format text");
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const std::string& out = result.out;
  EXPECT_EQ(out.rfind("Model: 0x81\nCodeplug Version : R040609\n", 0), 0u) << out;
  const auto general = out.find("\n[General]\n");
  const auto icn = out.find("  Inventory Control Number [ed_ICN]: \"INV0000042\"\n");
  const auto features = out.find("\n[Features]\n");
  ASSERT_NE(general, std::string::npos);
  ASSERT_NE(icn, std::string::npos);
  ASSERT_NE(features, std::string::npos);
  EXPECT_LT(general, icn);
  EXPECT_LT(icn, features);
  EXPECT_NE(out.find("(address 16) [ed_capcode16]"), std::string::npos);
}

TEST(DumpCommand, RefusedFilesAndBadOptions) {
  const std::string damaged = rer::testing::TempPath("dump_damaged.cp");
  std::ofstream(damaged) << "S1130000FFFF\r\nS9030000FC\r\n";
  const auto refused = RunCli("dump " + damaged);
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_EQ(refused.err, ComposeError(-28).text);
  EXPECT_TRUE(refused.out.empty());

  EXPECT_EQ(RunCli("dump /nonexistent/file.cp").exitCode, 1);
  EXPECT_EQ(RunCli("dump").exitCode, 2);
  EXPECT_EQ(RunCli("dump " + damaged + " --format xml").exitCode, 2);
}

}  // namespace
}  // namespace rer::cli
