#include "codeplug/field_catalogue.h"

#include <map>
#include <set>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace rer {
namespace {

using ::testing::ElementsAreArray;

// The field numbering of the editing controls, written out group by group as
// the numbering table gives it: a first number and the names that follow it.
struct NumberedRun {
  int first;
  std::vector<std::string> names;
};

std::vector<NumberedRun> PublishedRuns() {
  std::vector<NumberedRun> runs = {
      {1, {"ed_serialNumber", "ed_ICN", "cb_deafPager", "ed_frequency"}},
      {149, {"cb_internationalPrompt", "cb_internationalCharSet"}},
      {151,
       {"ed_powerUpPrompt",
        "ed_disablePagerPrompt",
        "ed_source1Prompt",
        "ed_source2Prompt",
        "ed_source3Prompt",
        "ed_source4Prompt",
        "ed_source5Prompt",
        "ed_source6Prompt",
        "ed_source7Prompt",
        "ed_source8Prompt",
        "ed_source9Prompt",
        "ed_source10Prompt",
        "ed_source11Prompt",
        "ed_source12Prompt",
        "ed_source13Prompt",
        "ed_source14Prompt",
        "ed_source15Prompt",
        "ed_source16Prompt",
        "ed_toneOnly5Prompt",
        "ed_toneOnly6Prompt",
        "ed_toneOnly7Prompt",
        "ed_toneOnly8Prompt",
        "ed_groupPrompt",
        "ed_privateTimePrompt",
        "ed_setAlertPrompt",
        "ed_setAudioPrompt",
        "ed_setSilentPrompt",
        "ed_setLockPrompt",
        "ed_setUnlockPrompt",
        "ed_deletePrompt",
        "ed_deleteAllPrompt",
        "ed_setTimeAlarmPrompt",
        "ed_setAlarmPrompt",
        "ed_setOffPrompt",
        "ed_goStatusPrompt",
        "ed_duplicatePrompt",
        "ed_memoryFullPrompt",
        "ed_setTimePrompt",
        "ed_standardAlertPrompt",
        "ed_pleasantAlertPrompt",
        "ed_chirpAlertPrompt",
        "ed_chirpSilentPrompt",
        "ed_noAlertPrompt",
        "ed_enableMaildropPrompt",
        "ed_disableMaildropPrompt",
        "ed_onPrompt",
        "ed_offPrompt",
        "ed_addToNotebookPrompt",
        "ed_printPrompt",
        "ed_zoomInPrompt",
        "ed_zoomOutPrompt",
        "ed_setMsgAlarmPrompt",
        "ed_noteBookPrompt"}},
      {204,
       {"cb_disableAllAlerts",
        "cb_alertFrequency",
        "cb_alertDuration",
        "cb_userChangableAlertMode",
        "cb_userSelectableAlerts",
        "cb_programmablePleasingAlert",
        "cb_reminderAlertInterval",
        "cb_reminderAlertTimeout",
        "cb_manualAlertReset",
        "cb_lowCellAlert",
        "cb_realTimeClock",
        "cb_internationalDate",
        "cb_showTimeStamp",
        "cb_individualMessageAlarm",
        "cb_autoAlarmTurnOn",
        "cb_privateTime",
        "cb_vibrator",
        "cb_oorTime",
        "cb_oorAlert",
        "cb_oorAudibleOnNoAlert",
        "cb_flexFrames",
        "ed_missed_frame_count_min",
        "ed_missed_frame_count_sec",
        "cb_disp_slot_msg",
        "cb_showSource",
        "cb_std4RepeatPeriod",
        "cb_std4PulseDuration",
        "cb_keyChirp",
        "cb_alarmAlwaysAudible",
        "cb_enableSecurePasswd",
        "cb_enableLocalPasswd",
        "cb_rfProgrammingEnabled",
        "cb_silentRFProgramming",
        "cb_supportOTAAlphaVector",
        "cb_dataInversion",
        "cb_retainErroredNumeric",
        "cb_retainErroredNonNumeric",
        "cb_retainBetterMaildrop",
        "cb_personalMessageNotebook",
        "cb_maildropMessageNotebook",
        "cb_duplication",
        "cb_sourceIndependentDuplication",
        "cb_sequentialLockoutPeriod",
        "cb_truncatedMessageIndicator",
        "cb_badDataIndication",
        "cb_twoBitErrorIndication",
        "cb_messageContinueIndicator",
        "cb_ignoreCR",
        "cb_readTimeout",
        "cb_readScrollTime",
        "cb_allowOff",
        "cb_functionMenuDisplay",
        "cb_manualDelete",
        "cb_messageLocking",
        "cb_nonVolatileMemory",
        "cb_memoryCleanup",
        "cb_B14bitDecoding",
        "cb_ideoNumericCanned",
        "cb_regularCannedMsg",
        "ed_startCannedMsg",
        "ed_endCannedMsg",
        "cb_messagePreview",
        "cb_autoBacklight",
        "cb_err_msg_detect",
        "ed_displayContrast",
        "cb_batteryGauge",
        "cb_batteryGaugeHiLevel",
        "cb_batteryGaugeMedLevel",
        "cb_batteryGaugeLoLevel",
        "cb_printerEnabled",
        "cb_incomingMsgPrint",
        "cb_printEtx",
        "cb_printCRwithLF",
        "cb_showMemFull",
        "cb_area_code_suffix",
        "cb_exchange_suffix",
        "cb_zoom",
        "cb_showToneOnlySource"}},
      {282, {"cb_ZoomDefault", "cb_MaildropFirstCapcode"}},
      {378,
       {"ed_setOffDutyPrompt", "ed_setOnDutyPrompt", "ed_urgentAlertPrompt", "ed_setMsgAlertPrompt",
        "ed_setMsgReminderPrompt", "ed_soundModePrompt", "ed_soundAndVibModePrompt",
        "ed_vibThenSoundModePrompt", "ed_vibratorModePrompt", "ed_silentModePrompt",
        "ed_continuousVibPrompt", "ed_interruptedVibPrompt", "ed_generalTonePrompt",
        "ed_escalatingTonePrompt", "ed_dutyEnablePrompt", "ed_dutyDisablePrompt", "ed_sourcePrompt",
        "ed_setToOffDutyPrompt", "ed_setToOnDutyPrompt"}},
      {397,
       {"cb_reminderAlertDuration", "cb_fixAlert", "cb_defaultReminderEscalatingMode",
        "cb_defaultReminderVibMode", "cb_defaultReminderAlertMode",
        "cb_defaultReminderAlertPattern"}},
      {404,
       {"cb_timeFormat",
        "cb_turnOnPager",
        "cb_selDutySource",
        "cb_priorityWithout",
        "cb_newAlertMenu",
        "cb_onOffDuty",
        "ck_cpfUif_Paging_Auto_Backlight",
        "ck_cpfUif_New_Msg_Auto_Display",
        "ck_CP_EP1_HP_Enable",
        "ed_CP_EP1_HP_Password",
        "ed_CP_EP1_HP_Error_Number",
        "cb_freqBand",
        "cb_nwBand",
        "cb_PLL_Type",
        "cb_fUif_User_Password_Enable",
        "cb_fUif_User_Password_Level",
        "ed_cpwFc_Pswd_Timeout_h",
        "ed_cpwFc_Pswd_Timeout_m",
        "ed_cpwFc_Pswd_Timeout_s",
        "ed_cpwFc_Password_LRUD",
        "ed_DutySource",
        "ed_INPUT_PASSWORD_PROMPT",
        "ed_PASSWORD_KEY_PROMPT"}},
      {428, {"cb_RF_Timing", "cb_Tarsel_Model", "cb_Model_Check_Warning"}},
  };

  // Nine numbers per address from 5 on.
  const std::vector<std::string> languageLists = {"cb_addraLangPtr", "cb_addrbLangPtr",
                                                  "cb_addrcLangPtr", "cb_addrdLangPtr"};
  for (int n = 1; n <= 16; ++n) {
    std::string number = std::to_string(n);
    std::string language = n <= 4 ? languageLists[n - 1] : "cb_addr" + number + "LangPtr";
    runs.push_back({5 + 9 * (n - 1),
                    {"ed_capcode" + number, "cb_personalAddress_addr" + number, language,
                     "cb_priority_addr" + number, "cb_addr" + number + "_history",
                     "cb_addr" + number + "_msg_type", "ed_addr" + number + "_frame",
                     "ed_addr" + number + "_collapse", "cb_otaEnable_addr" + number}});
  }

  // The per-address alert fields, sixteen numbers each; duty 01 and 02 share
  // 282 and 283 with the two More Features lists above.
  struct AlertRun {
    int first;
    std::string prefix;
    std::string suffix;
  };
  const std::vector<AlertRun> alertRuns = {
      {282, "ed_onOffDuty", ""},  {298, "ed_fixAlert", ""},    {314, "ed_interruptVib", ""},
      {330, "ed_escalating", ""}, {346, "cb_alertMode", "_1"}, {362, "cb_alertPattern", "_1"},
  };
  for (const AlertRun& run : alertRuns) {
    NumberedRun numbered{run.first, {}};
    for (int n = 1; n <= 16; ++n) {
      std::string twoDigits = (n < 10 ? "0" : "") + std::to_string(n);
      numbered.names.push_back(run.prefix + twoDigits + run.suffix);
    }
    runs.push_back(numbered);
  }
  return runs;
}

std::map<std::string, int> PublishedNumbers() {
  std::map<std::string, int> numbers;
  for (const NumberedRun& run : PublishedRuns()) {
    for (std::size_t i = 0; i < run.names.size(); ++i) {
      numbers.emplace(run.names[i], run.first + static_cast<int>(i));
    }
  }
  return numbers;
}

TEST(FieldCatalogueTest, EveryPublishedControlCarriesItsFieldNumber) {
  const FieldCatalogue& catalogue = FieldCatalogue::Instance();
  for (const auto& [name, number] : PublishedNumbers()) {
    const ControlEntry* entry = catalogue.Find(name);
    ASSERT_NE(entry, nullptr) << name;
    EXPECT_EQ(entry->fieldNumber, number) << name;
  }
}

TEST(FieldCatalogueTest, NoControlHasANumberThatTheNumberingDoesNotGive) {
  std::map<std::string, int> published = PublishedNumbers();
  for (const ControlEntry& entry : FieldCatalogue::Instance().Entries()) {
    if (entry.fieldNumber == kNoFieldNumber) continue;
    EXPECT_TRUE(published.contains(entry.name))
        << entry.name << " has number " << entry.fieldNumber;
  }
}

TEST(FieldCatalogueTest, NumbersCoverOneTo430ExceptTheTwoUnusedOnes) {
  const FieldCatalogue& catalogue = FieldCatalogue::Instance();
  for (int number = kFirstFieldNumber; number <= kLastFieldNumber; ++number) {
    bool unused = number == 403 || number == 427;
    EXPECT_EQ(catalogue.FindAllByField(number).empty(), unused) << number;
  }
}

TEST(FieldCatalogueTest, NamesAreUnique) {
  std::set<std::string> seen;
  for (const ControlEntry& entry : FieldCatalogue::Instance().Entries()) {
    EXPECT_TRUE(seen.insert(entry.name).second) << entry.name;
  }
}

TEST(FieldCatalogueTest, SharedNumbersResolveByPage) {
  const FieldCatalogue& catalogue = FieldCatalogue::Instance();
  struct Case {
    int number;
    int page;
    std::string name;
  };
  const Case cases[] = {
      {282, kPageMoreFeatures, "cb_ZoomDefault"},
      {282, kPageCode1To4, "ed_onOffDuty01"},
      {283, kPageMoreFeatures, "cb_MaildropFirstCapcode"},
      {283, kPageCode1To4, "ed_onOffDuty02"},
      {284, kPageCode1To4, "ed_onOffDuty03"},
      {149, kPagePrompt1, "cb_internationalPrompt"},
  };
  for (const Case& c : cases) {
    const ControlEntry* entry = catalogue.FindByField(c.number, c.page);
    ASSERT_NE(entry, nullptr) << c.number;
    EXPECT_EQ(entry->name, c.name);
  }
  EXPECT_EQ(catalogue.FindAllByField(282).size(), 2u);
  EXPECT_EQ(catalogue.FindByField(282, kPageAlert), nullptr);
  EXPECT_EQ(catalogue.FindByField(403, kPageAlert), nullptr);
}

TEST(FieldCatalogueTest, ListItemsAreTheSystemTextsInOrder) {
  struct Case {
    std::string name;
    std::vector<std::string_view> items;
  };
  const Case cases[] = {
      {"cb_alertFrequency",
       {"3.84 KHz", "3.2  KHz", "3.0  KHz", "2.7  KHz", "2.5  KHz", "1.37 KHz", "1.24 KHz"}},
      {"cb_reminderAlertTimeout",
       {"None", "2 min", "3.07 min", "4 min", "5.07 min", "10 min", "15.07 min", "30 min"}},
      {"cb_defaultReminderAlertMode",
       {"Alert Mode", "Alert & VIB", "VIB > Alert", "Vibrate", "Chirp", "Silent"}},
      {"cb_alertMode07_1",
       {"Alert Mode", "Alert & VIB", "VIB & Alert", "Vibrate", "Chirp", "Silent"}},
      {"cb_alertPattern16_1",
       {"STD", "PL1", "PL2", "PL3", "PL4", "PL5", "PL6", "PL7", "PL8", "UG1", "UG2", "UG3", "UG4",
        "UG5", "UG6", "UG7"}},
      {"cb_readScrollTime",
       {"1/2 sec", "1 sec", "2 sec", "3 sec", "4 sec", "6 sec", "8 sec", "10 sec", "30 sec"}},
      {"cb_sequentialLockoutPeriod",
       {"None", "8 sec", "16 sec", "32 sec", "64 sec", "96 sec", "2 min", "3 min", "4 min",
        "5 min"}},
      {"cb_batteryGaugeLoLevel",
       {"0.90v", "0.95v", "1.00v", "1.05v", "1.09v", "1.14v", "1.19v", "1.24v", "1.29v", "1.34v",
        "1.39v", "1.43v", "1.48v", "1.53v", "1.58v", "1.63v"}},
      {"cb_fUif_User_Password_Level", {"Read Message Only", "All Message"}},
      {"cb_freqBand",
       {"VHF D Band", "VHF A Band", "VHF B Band", "VHF C Band", "UHF A Band", "UHF B Band",
        "900 MHz"}},
      {"cb_PLL_Type", {"HI8107", "MB15E03", "NPC5170", "FS8107 / FS8108", "FS8308"}},
      {"cb_internationalCharSet",
       {"US", "Swiss", "German", "French", "Italian", "Spanish", "Portuguese", "Swedish",
        "Norwegian", "Danish", "UK"}},
      {"cb_addraLangPtr", {"ASCII", "IDEO", "THAI"}},
      {"cb_addr12_msg_type", {"Individual", "Group"}},
      {"cb_Tarsel_Model",
       {"Tarsel Standard - Old MASK", "Tarsel One Msg - Old FLASH", "Tarsel Standard - New 4K",
        "Tarsel One Msg - New 4K", "Tarsel 39Psn Msg - New 4K", "Tarsel Standard - Secure 4K",
        "Tarsel Standard - New Secure 4K", "Tarsel One Msg - New Secure 4K",
        "Tarsel 39Psn Msg - New Secure 4K", "Tarsel Standard - New MASK 1K",
        "Tarsel One Msg - New MASK 1K"}},
  };
  for (const Case& c : cases) {
    const ControlEntry* entry = FieldCatalogue::Instance().Find(c.name);
    ASSERT_NE(entry, nullptr) << c.name;
    EXPECT_EQ(entry->kind, ControlKind::List) << c.name;
    EXPECT_THAT(entry->items, ElementsAreArray(c.items)) << c.name;
  }
}

TEST(FieldCatalogueTest, OnlyListsCarryItemsAndOnlyMaskedFieldsAMask) {
  for (const ControlEntry& entry : FieldCatalogue::Instance().Entries()) {
    EXPECT_EQ(entry.kind == ControlKind::List, !entry.items.empty()) << entry.name;
    EXPECT_EQ(entry.kind == ControlKind::MaskedText, !entry.editMask.empty()) << entry.name;
    if (entry.kind == ControlKind::List || entry.kind == ControlKind::CheckBox) {
      EXPECT_EQ(entry.maxLength, 0) << entry.name;
      EXPECT_EQ(entry.keyFilter, KeyFilter::None) << entry.name;
    }
  }
  EXPECT_EQ(FieldCatalogue::Instance().Find("ed_CP_EP1_HP_Password")->editMask, "9999;1;0");
}

TEST(FieldCatalogueTest, ControlsSitOnTheirPagesWithTheirKinds) {
  struct Case {
    std::string name;
    ControlKind kind;
    int page;
  };
  const Case cases[] = {
      {"ed_serialNumber", ControlKind::Text, kPageGeneral},
      {"ed_frequency", ControlKind::MaskedText, kPageGeneral},
      {"cb_newAlertMenu", ControlKind::List, kPageGeneral},
      {"cb_RF_Timing", ControlKind::List, kPageGeneral},
      {"ed_capcode4", ControlKind::Text, kPageCode1To4},
      {"ed_capcode5", ControlKind::Text, kPageCode5To8},
      {"cb_personalAddress_addr12", ControlKind::CheckBox, kPageCode9To12},
      {"ck_Decryptkey13", ControlKind::CheckBox, kPageCode13To16},
      {"cb_addr16LangPtr", ControlKind::List, kPageCode13To16},
      {"ed_powerUpPrompt", ControlKind::Text, kPagePrompt1},
      {"ed_noteBookPrompt", ControlKind::Text, kPagePrompt2},
      {"ed_PASSWORD_KEY_PROMPT", ControlKind::Text, kPagePrompt2},
      {"ed_sourcePrompt", ControlKind::Text, kPagePrompt3},
      {"cb_reminderAlertDuration", ControlKind::List, kPageAlert},
      {"cb_vibrator", ControlKind::CheckBox, kPageAlert},
      {"ed_CP_EP1_HP_Password", ControlKind::MaskedText, kPagePasswordOta},
      {"cb_dataInversion", ControlKind::CheckBox, kPagePasswordOta},
      {"cb_ideoNumericCanned", ControlKind::CheckBox, kPageFeatures},
      {"ed_displayContrast", ControlKind::Text, kPageFeatures},
      {"cb_showToneOnlySource", ControlKind::List, kPageMoreFeatures},
  };
  for (const Case& c : cases) {
    const ControlEntry* entry = FieldCatalogue::Instance().Find(c.name);
    ASSERT_NE(entry, nullptr) << c.name;
    EXPECT_EQ(entry->kind, c.kind) << c.name;
    EXPECT_EQ(entry->page, c.page) << c.name;
  }
}

TEST(FieldCatalogueTest, LimitsFiltersAndHints) {
  struct Case {
    std::string name;
    int maxLength;
    KeyFilter filter;
    std::string_view hint;
  };
  const Case cases[] = {
      {"ed_capcode1", 10, KeyFilter::Digits, ""},
      {"ed_capcode2", 7, KeyFilter::Digits, ""},
      {"ed_capcode15", 10, KeyFilter::Digits, ""},
      {"ed_capcode16", 7, KeyFilter::Digits, ""},
      {"ed_serialNumber", 10, KeyFilter::None, ""},
      {"ed_ICN", 10, KeyFilter::None, ""},
      {"ed_addr9_frame", 3, KeyFilter::None, ""},
      {"ed_addr9_collapse", 1, KeyFilter::None, ""},
      {"ed_fixAlert01", 1, KeyFilter::YesNoOverwrite, ""},
      {"ed_escalating16", 1, KeyFilter::YesNoOverwrite, ""},
      {"ed_cpwFc_Password", 8, KeyFilter::PasswordKeyDigits, ""},
      {"ed_startCannedMsg", 4, KeyFilter::HexDigits, ""},
      {"ed_endCannedMsg", 4, KeyFilter::HexDigits, ""},
      {"ed_CP_EP1_HP_Error_Number", 3, KeyFilter::Digits, "Enter Decimal value: 0-255"},
      {"ed_cpwFc_Pswd_Timeout_m", 3, KeyFilter::Digits, "Enter minutes. (Max.720)"},
      {"ed_displayContrast", 2, KeyFilter::Digits, "Enter Decimal value: 0-15  "},
      {"ed_missed_frame_count_min", 2, KeyFilter::None, "Enter 0 - 60     "},
      {"ed_setAlertPrompt", 20, KeyFilter::PromptText,
       "Enter characters. (ALT- D to toggle to DEFAULT)"},
      {"ed_chirpSilentPrompt", 23, KeyFilter::PromptText,
       "Enter characters. (ALT- D to toggle to DEFAULT)"},
      {"ed_DutySource", 20, KeyFilter::PromptText, "Enter characters."},
      {"ed_setToOnDutyPrompt", 20, KeyFilter::PromptText, "Enter characters."},
      {"cb_alertMode03_1", 0, KeyFilter::None,
       "1 = Alert Mode, \r\n2 = Alert & VIB, \r\n3 = VIB Then Alert, \r\n4 = Vibrate, \r\n5 = "
       "Chirp, \r\n6 = Silent"},
  };
  for (const Case& c : cases) {
    const ControlEntry* entry = FieldCatalogue::Instance().Find(c.name);
    ASSERT_NE(entry, nullptr) << c.name;
    EXPECT_EQ(entry->maxLength, c.maxLength) << c.name;
    EXPECT_EQ(entry->keyFilter, c.filter) << c.name;
    EXPECT_EQ(entry->hint, c.hint) << c.name;
  }
}

TEST(FieldCatalogueTest, EveryPromptFieldIsAnUpperCaseFilteredText) {
  int prompts = 0;
  for (const ControlEntry& entry : FieldCatalogue::Instance().Entries()) {
    if (entry.keyFilter != KeyFilter::PromptText) continue;
    ++prompts;
    EXPECT_EQ(entry.kind, ControlKind::Text) << entry.name;
    EXPECT_TRUE(entry.upperCase) << entry.name;
    EXPECT_TRUE(entry.page >= kPagePrompt1 && entry.page <= kPagePrompt3) << entry.name;
  }
  // The pager stores 75 prompts; each has exactly one field.
  EXPECT_EQ(prompts, 75);
}

TEST(FieldCatalogueTest, DisplayOnlyAndUnnumberedControls) {
  const FieldCatalogue& catalogue = FieldCatalogue::Instance();
  for (int n = 1; n <= 16; ++n) {
    const ControlEntry* flex = catalogue.Find("ed_addr" + std::to_string(n));
    ASSERT_NE(flex, nullptr) << n;
    EXPECT_TRUE(flex->readOnly);
    EXPECT_EQ(flex->maxLength, 7);
    EXPECT_EQ(flex->fieldNumber, kNoFieldNumber);
    EXPECT_EQ(flex->address, n);
  }
  for (const char* name : {"edtN", "edtR", "ed_persMemSizeString", "ed_persMaildropString",
                           "ed_cpwFc_Password_LRUD"}) {
    const ControlEntry* entry = catalogue.Find(name);
    ASSERT_NE(entry, nullptr) << name;
    EXPECT_TRUE(entry->readOnly) << name;
  }
  for (const char* name : {"ck_Decryptkey01", "ed_Pager_Model", "ed_cpwFc_Password", "edtN"}) {
    const ControlEntry* entry = catalogue.Find(name);
    ASSERT_NE(entry, nullptr) << name;
    EXPECT_EQ(entry->fieldNumber, kNoFieldNumber) << name;
  }
  EXPECT_EQ(catalogue.Find("ed_capcode17"), nullptr);
  EXPECT_EQ(catalogue.Find("ed_capcode0"), nullptr);
}

TEST(FieldCatalogueTest, AddressControlNamesFollowEachFamilysSpelling) {
  struct Case {
    AddressControl control;
    int address;
    std::string name;
  };
  const Case cases[] = {
      {AddressControl::Capcode, 1, "ed_capcode1"},
      {AddressControl::Capcode, 16, "ed_capcode16"},
      {AddressControl::LanguagePointer, 1, "cb_addraLangPtr"},
      {AddressControl::LanguagePointer, 4, "cb_addrdLangPtr"},
      {AddressControl::LanguagePointer, 5, "cb_addr5LangPtr"},
      {AddressControl::DecryptKey, 9, "ck_Decryptkey09"},
      {AddressControl::DecryptKey, 10, "ck_Decryptkey10"},
      {AddressControl::AlertPattern, 5, "cb_alertPattern05_1"},
      {AddressControl::History, 11, "cb_addr11_history"},
      {AddressControl::FlexAddress, 3, "ed_addr3"},
      {AddressControl::Frame, 3, "ed_addr3_frame"},
  };
  for (const Case& c : cases) {
    std::string name = FieldCatalogue::AddressControlName(c.control, c.address);
    EXPECT_EQ(name, c.name);
    const ControlEntry* entry = FieldCatalogue::Instance().Find(name);
    ASSERT_NE(entry, nullptr) << name;
    EXPECT_EQ(entry->address, c.address) << name;
  }
}

}  // namespace
}  // namespace rer
