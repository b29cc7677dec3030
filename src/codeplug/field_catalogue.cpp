#include "codeplug/field_catalogue.h"

#include <array>
#include <cstdio>

namespace rer {
namespace {

using Items = std::span<const std::string_view>;

// ---- List items -----------------------------------------------------------

constexpr std::string_view kDeafPagerItems[] = {"Standard", "Deaf"};
constexpr std::string_view kFreqBandItems[] = {
    "VHF D Band", "VHF A Band", "VHF B Band", "VHF C Band", "UHF A Band", "UHF B Band", "900 MHz"};
constexpr std::string_view kNarrowWideItems[] = {"Wide", "Narrow"};
constexpr std::string_view kPllTypeItems[] = {"HI8107", "MB15E03", "NPC5170", "FS8107 / FS8108",
                                              "FS8308"};
constexpr std::string_view kRfTimingItems[] = {"70ms", "25ms"};
constexpr std::string_view kTarselModelItems[] = {
    "Tarsel Standard - Old MASK",       "Tarsel One Msg - Old FLASH",
    "Tarsel Standard - New 4K",         "Tarsel One Msg - New 4K",
    "Tarsel 39Psn Msg - New 4K",        "Tarsel Standard - Secure 4K",
    "Tarsel Standard - New Secure 4K",  "Tarsel One Msg - New Secure 4K",
    "Tarsel 39Psn Msg - New Secure 4K", "Tarsel Standard - New MASK 1K",
    "Tarsel One Msg - New MASK 1K"};
constexpr std::string_view kNoYesItems[] = {"No", "Yes"};
constexpr std::string_view kDisableEnableItems[] = {"Disable", "Enable"};

// The fifteen Latin prompt languages; the page appends a Chinese entry when
// the pager's character ROM can show it.
constexpr std::string_view kPromptLanguageItems[] = {"English",
                                                     "German",
                                                     "German/Swiss",
                                                     "French",
                                                     "Swedish",
                                                     "Danish",
                                                     "Norwegian",
                                                     "European Portuguese",
                                                     "LA & C Portuguese",
                                                     "European Spanish",
                                                     "LA & C Spanish",
                                                     "Italian",
                                                     "Finnish",
                                                     "Dutch",
                                                     "Malay"};
constexpr std::string_view kCharSetItems[] = {"US",        "Swiss",   "German",     "French",
                                              "Italian",   "Spanish", "Portuguese", "Swedish",
                                              "Norwegian", "Danish",  "UK"};

constexpr std::string_view kLanguagePointerItems[] = {"ASCII", "IDEO", "THAI"};
constexpr std::string_view kMessageTypeItems[] = {"Individual", "Group"};
constexpr std::string_view kAddressAlertModeItems[] = {"Alert Mode", "Alert & VIB", "VIB & Alert",
                                                       "Vibrate",    "Chirp",       "Silent"};
constexpr std::string_view kAlertPatternItems[] = {"STD", "PL1", "PL2", "PL3", "PL4", "PL5",
                                                   "PL6", "PL7", "PL8", "UG1", "UG2", "UG3",
                                                   "UG4", "UG5", "UG6", "UG7"};

constexpr std::string_view kAlertFrequencyItems[] = {"3.84 KHz", "3.2  KHz", "3.0  KHz", "2.7  KHz",
                                                     "2.5  KHz", "1.37 KHz", "1.24 KHz"};
// The third item exists on large-layout pagers only; the page drops it on the others.
constexpr std::string_view kAlertDurationItems[] = {"2 sec", "12 sec", "30 sec"};
constexpr std::string_view kPleasingAlertItems[] = {"Default", "Custom"};
constexpr std::string_view kReminderTimeItems[] = {"None",     "2 min",  "3.07 min",  "4 min",
                                                   "5.07 min", "10 min", "15.07 min", "30 min"};
constexpr std::string_view kOorTimeItems[] = {"None", "4 min", "6 min", "8 min"};
constexpr std::string_view kFlexFramesItems[] = {"1min", "4min"};
constexpr std::string_view kSlotMsgItems[] = {"Display Slot #", "Display Msg. #",
                                              "Display Neither"};
constexpr std::string_view kRepeatPeriodItems[] = {"1 sec", "2 sec"};
constexpr std::string_view kPulseDurationItems[] = {"1/16 sec", "1/8 sec"};
constexpr std::string_view kFixAlertItems[] = {"Non Fix", "Fix"};
constexpr std::string_view kVibModeItems[] = {"Continuous", "Interrupted"};
constexpr std::string_view kEscalatingModeItems[] = {"General", "Escalating"};
constexpr std::string_view kReminderAlertModeItems[] = {"Alert Mode", "Alert & VIB", "VIB > Alert",
                                                        "Vibrate",    "Chirp",       "Silent"};
constexpr std::string_view kReminderDurationItems[] = {"Chirp", "2 sec", "12 sec", "30 sec"};

constexpr std::string_view kUserPasswordLevelItems[] = {"Read Message Only", "All Message"};

constexpr std::string_view kLockoutPeriodItems[] = {"None",   "8 sec", "16 sec", "32 sec", "64 sec",
                                                    "96 sec", "2 min", "3 min",  "4 min",  "5 min"};
constexpr std::string_view kReadTimeoutItems[] = {"16 sec", "32 sec", "64 sec", "5.07 min"};
constexpr std::string_view kScrollTimeItems[] = {"1/2 sec", "1 sec", "2 sec",  "3 sec", "4 sec",
                                                 "6 sec",   "8 sec", "10 sec", "30 sec"};
constexpr std::string_view kFunctionMenuItems[] = {"Prompts", "Icons", "Both"};

constexpr std::string_view kBatteryLevelItems[] = {
    "0.90v", "0.95v", "1.00v", "1.05v", "1.09v", "1.14v", "1.19v", "1.24v",
    "1.29v", "1.34v", "1.39v", "1.43v", "1.48v", "1.53v", "1.58v", "1.63v"};
constexpr std::string_view kSuffixItems[] = {"Space", "Dash"};
constexpr std::string_view kToneOnlySourceItems[] = {"None", "1-4", "5-8", "1-8"};
constexpr std::string_view kZoomDefaultItems[] = {"4 Line", "2 Line"};
constexpr std::string_view kTurnOnPagerItems[] = {"Click", "2 Sec"};
constexpr std::string_view kTimeFormatItems[] = {"24", "12"};

// ---- Hints ----------------------------------------------------------------

constexpr std::string_view kClassicPromptHint = "Enter characters. (ALT- D to toggle to DEFAULT)";
constexpr std::string_view kExtendedPromptHint = "Enter characters.";
constexpr std::string_view kAlertModeHint =
    "1 = Alert Mode, \r\n2 = Alert & VIB, \r\n3 = VIB Then Alert, \r\n4 = Vibrate, \r\n5 = "
    "Chirp, \r\n6 = Silent";

// ---- Rows -----------------------------------------------------------------

using enum ControlKind;

// One control that exists once.
struct SingleRow {
  std::string_view name;
  int field = kNoFieldNumber;
  ControlKind kind = Text;
  int page = kPageGeneral;
  std::string_view label;
  Items items = {};
  int maxLength = 0;
  KeyFilter keyFilter = KeyFilter::None;
  std::string_view hint = {};
  std::string_view editMask = {};
  bool readOnly = false;
};

// The General page. Its labels are our own: these controls carry no fixed caption.
constexpr SingleRow kGeneralRows[] = {
    {.name = "ed_serialNumber", .field = 1, .label = "Serial Number", .maxLength = 10},
    {.name = "ed_ICN", .field = 2, .label = "Inventory Control Number", .maxLength = 10},
    {.name = "cb_deafPager",
     .field = 3,
     .kind = List,
     .label = "Pager Type",
     .items = kDeafPagerItems},
    // Nine characters: three digits of megahertz, a point, four digits of 100 Hz.
    {.name = "ed_frequency",
     .field = 4,
     .kind = MaskedText,
     .label = "Frequency (MHz)",
     .maxLength = 9,
     .editMask = "999.9999;1; "},
    {.name = "cb_freqBand", .field = 415, .kind = List, .label = "Band", .items = kFreqBandItems},
    {.name = "cb_nwBand",
     .field = 416,
     .kind = List,
     .label = "Channel Width",
     .items = kNarrowWideItems},
    {.name = "cb_PLL_Type",
     .field = 417,
     .kind = List,
     .label = "Synthesizer",
     .items = kPllTypeItems},
    {.name = "cb_RF_Timing",
     .field = 428,
     .kind = List,
     .label = "RF Timing",
     .items = kRfTimingItems},
    {.name = "cb_Tarsel_Model",
     .field = 429,
     .kind = List,
     .label = "Model",
     .items = kTarselModelItems},
    {.name = "cb_Model_Check_Warning",
     .field = 430,
     .kind = List,
     .label = "Model Check Warning",
     .items = kDisableEnableItems},
    {.name = "cb_newAlertMenu",
     .field = 408,
     .kind = List,
     .label = "New Alert Menu",
     .items = kNoYesItems},
    {.name = "cb_onOffDuty",
     .field = 409,
     .kind = List,
     .label = "On/Off Duty",
     .items = kDisableEnableItems},
    {.name = "ed_persMemSizeString", .label = "Personal Memory", .maxLength = 5, .readOnly = true},
    {.name = "ed_persMaildropString", .label = "Maildrop Memory", .maxLength = 5, .readOnly = true},
    // The synthesizer register words as "XX XX XX".
    {.name = "edtN", .label = "N", .maxLength = 8, .readOnly = true},
    {.name = "edtR", .label = "R", .maxLength = 8, .readOnly = true},
    {.name = "ed_Pager_Model", .label = "Pager Model"},
};

constexpr SingleRow kPromptLanguageRows[] = {
    {.name = "cb_internationalPrompt",
     .field = 149,
     .kind = List,
     .page = kPagePrompt1,
     .label = "International Prompt",
     .items = kPromptLanguageItems},
    {.name = "cb_internationalCharSet",
     .field = 150,
     .kind = List,
     .page = kPagePrompt1,
     .label = "International Character Set",
     .items = kCharSetItems},
};

// The 75 prompt fields, in page order. Classic prompts are the ones that the
// small codeplug layout stores too; they alone have a default to toggle to.
struct PromptRow {
  std::string_view name;
  int field;
  int page;
  std::string_view label;
  bool classic;
};

constexpr int kPromptMaxLength = 20;
constexpr std::string_view kLongPromptName = "ed_chirpSilentPrompt";
constexpr int kLongPromptMaxLength = 23;

constexpr PromptRow kPromptRows[] = {
    {"ed_powerUpPrompt", 151, kPagePrompt1, "Power Up", true},
    {"ed_disablePagerPrompt", 152, kPagePrompt1, "Pager Disable", true},
    {"ed_source1Prompt", 153, kPagePrompt1, "Source 1-1 Prompt", true},
    {"ed_source2Prompt", 154, kPagePrompt1, "Source 1-2 Prompt", true},
    {"ed_source3Prompt", 155, kPagePrompt1, "Source 1-3 Prompt", true},
    {"ed_source4Prompt", 156, kPagePrompt1, "Source 1-4 Prompt", true},
    {"ed_source5Prompt", 157, kPagePrompt1, "Source 2-1 Prompt", true},
    {"ed_source6Prompt", 158, kPagePrompt1, "Source 2-2 Prompt", true},
    {"ed_source7Prompt", 159, kPagePrompt1, "Source 2-3 Prompt", true},
    {"ed_source8Prompt", 160, kPagePrompt1, "Source 2-4 Prompt", true},
    {"ed_source9Prompt", 161, kPagePrompt1, "Source 3-1 Prompt", true},
    {"ed_source10Prompt", 162, kPagePrompt1, "Source 3-2 Prompt", true},
    {"ed_source11Prompt", 163, kPagePrompt1, "Source 3-3 Prompt", true},
    {"ed_source12Prompt", 164, kPagePrompt1, "Source 3-4 Prompt", true},
    {"ed_source13Prompt", 165, kPagePrompt1, "Source 4-1 Prompt", true},
    {"ed_source14Prompt", 166, kPagePrompt1, "Source 4-2 Prompt", true},
    {"ed_source15Prompt", 167, kPagePrompt1, "Source 4-3 Prompt", true},
    {"ed_source16Prompt", 168, kPagePrompt1, "Source 4-4 Prompt", true},
    {"ed_toneOnly5Prompt", 169, kPagePrompt1, "Tone Only <1-5>", true},
    {"ed_toneOnly6Prompt", 170, kPagePrompt1, "Tone Only <6>", true},
    {"ed_toneOnly7Prompt", 171, kPagePrompt1, "Tone Only <7>", true},
    {"ed_toneOnly8Prompt", 172, kPagePrompt1, "Tone Only <8>", true},
    {"ed_groupPrompt", 173, kPagePrompt1, "Group Prompt", true},
    {"ed_privateTimePrompt", 174, kPagePrompt2, "Private Time", true},
    {"ed_setAlertPrompt", 175, kPagePrompt2, "Choose Alert", true},
    {"ed_setAudioPrompt", 176, kPagePrompt2, "Audible Alert", true},
    {"ed_setSilentPrompt", 177, kPagePrompt2, "Silent Alert", true},
    {"ed_setLockPrompt", 178, kPagePrompt2, "Lock Message", true},
    {"ed_setUnlockPrompt", 179, kPagePrompt2, "Unlock Message", true},
    {"ed_deletePrompt", 180, kPagePrompt2, "Delete Message", true},
    {"ed_deleteAllPrompt", 181, kPagePrompt2, "Delete All Msgs", true},
    {"ed_setTimeAlarmPrompt", 182, kPagePrompt2, "Set Time & Alarm", true},
    {"ed_setAlarmPrompt", 183, kPagePrompt2, "Set Alarm", true},
    {"ed_setOffPrompt", 184, kPagePrompt2, "Turn Pager Off", true},
    {"ed_goStatusPrompt", 185, kPagePrompt2, "Escape", true},
    {"ed_duplicatePrompt", 186, kPagePrompt2, "Duplicate Msg", true},
    {"ed_memoryFullPrompt", 187, kPagePrompt2, "Memory Full", true},
    {"ed_setTimePrompt", 188, kPagePrompt2, "Set Time", true},
    {"ed_standardAlertPrompt", 189, kPagePrompt2, "Standard Alert", true},
    {"ed_pleasantAlertPrompt", 190, kPagePrompt2, "Pleasing Alert", true},
    {"ed_chirpAlertPrompt", 191, kPagePrompt2, "Chirp Alert", true},
    {"ed_chirpSilentPrompt", 192, kPagePrompt2, "Chirp/Silent Alert", true},
    {"ed_noAlertPrompt", 193, kPagePrompt2, "No Msg Alert", true},
    {"ed_enableMaildropPrompt", 194, kPagePrompt2, "Maildrop Alert On", true},
    {"ed_disableMaildropPrompt", 195, kPagePrompt2, "Maildrop Alert Off", true},
    {"ed_onPrompt", 196, kPagePrompt2, "On", true},
    {"ed_offPrompt", 197, kPagePrompt2, "Off", true},
    {"ed_addToNotebookPrompt", 198, kPagePrompt2, "Add to Notebook", true},
    {"ed_printPrompt", 199, kPagePrompt2, "Print Message", true},
    {"ed_zoomInPrompt", 200, kPagePrompt2, "Zoom In", true},
    {"ed_zoomOutPrompt", 201, kPagePrompt2, "Zoom Out", true},
    {"ed_setMsgAlarmPrompt", 202, kPagePrompt2, "Set Msg Alarm", true},
    {"ed_noteBookPrompt", 203, kPagePrompt2, "Notebook", true},
    {"ed_DutySource", 424, kPagePrompt2, "Duty Source", false},
    {"ed_INPUT_PASSWORD_PROMPT", 425, kPagePrompt2, "Input Password", false},
    {"ed_PASSWORD_KEY_PROMPT", 426, kPagePrompt2, "Direction Key Input", false},
    {"ed_setOffDutyPrompt", 378, kPagePrompt3, "Off Duty", false},
    {"ed_setOnDutyPrompt", 379, kPagePrompt3, "On Duty", false},
    {"ed_urgentAlertPrompt", 380, kPagePrompt3, "Urgent Alert", false},
    {"ed_setMsgAlertPrompt", 381, kPagePrompt3, "Set Message Alert", false},
    {"ed_setMsgReminderPrompt", 382, kPagePrompt3, "Set Message Reminder", false},
    {"ed_soundModePrompt", 383, kPagePrompt3, "Alert Mode", false},
    {"ed_soundAndVibModePrompt", 384, kPagePrompt3, "Alert And Vib Mode", false},
    {"ed_vibThenSoundModePrompt", 385, kPagePrompt3, "Vib then Alert Mode", false},
    {"ed_vibratorModePrompt", 386, kPagePrompt3, "Vibrator Mode", false},
    {"ed_silentModePrompt", 387, kPagePrompt3, "Silent Mode", false},
    {"ed_continuousVibPrompt", 388, kPagePrompt3, "Continuous Vibrator", false},
    {"ed_interruptedVibPrompt", 389, kPagePrompt3, "Interrupted Vibrator", false},
    {"ed_generalTonePrompt", 390, kPagePrompt3, "General Tone", false},
    {"ed_escalatingTonePrompt", 391, kPagePrompt3, "Escalating Tone", false},
    {"ed_dutyEnablePrompt", 392, kPagePrompt3, "Enable", false},
    {"ed_dutyDisablePrompt", 393, kPagePrompt3, "Disable", false},
    {"ed_setToOffDutyPrompt", 395, kPagePrompt3, "Set To Off Duty", false},
    {"ed_setToOnDutyPrompt", 396, kPagePrompt3, "Set To On Duty", false},
    {"ed_sourcePrompt", 394, kPagePrompt3, "Source", false},
};

constexpr SingleRow kAlertRows[] = {
    {"cb_disableAllAlerts", 204, CheckBox, kPageAlert, "Disable All Alerts"},
    {"cb_alertFrequency", 205, List, kPageAlert, "Alert Frequency", kAlertFrequencyItems},
    {"cb_alertDuration", 206, List, kPageAlert, "Alert Duration", kAlertDurationItems},
    {"cb_userChangableAlertMode", 207, CheckBox, kPageAlert, "User Changeable Alert Mode"},
    {"cb_userSelectableAlerts", 208, CheckBox, kPageAlert, "User Selectable Alerts"},
    {"cb_programmablePleasingAlert", 209, List, kPageAlert, "Programmable Pleasing Alert",
     kPleasingAlertItems},
    {"cb_reminderAlertInterval", 210, List, kPageAlert, "Reminder Alert Interval",
     kReminderTimeItems},
    {"cb_reminderAlertTimeout", 211, List, kPageAlert, "Reminder Alert Timeout",
     kReminderTimeItems},
    {"cb_manualAlertReset", 212, CheckBox, kPageAlert, "Manual Alert Reset"},
    {"cb_lowCellAlert", 213, CheckBox, kPageAlert, "Low Battery Alert"},
    {"cb_realTimeClock", 214, CheckBox, kPageAlert, "Real Time Clock"},
    {"cb_internationalDate", 215, CheckBox, kPageAlert, "Internat'l Date DD/MM/YY"},
    {"cb_showTimeStamp", 216, CheckBox, kPageAlert, "Show Time Stamp"},
    {"cb_individualMessageAlarm", 217, CheckBox, kPageAlert, "Individual Message Alarm"},
    {"cb_autoAlarmTurnOn", 218, CheckBox, kPageAlert, "Auto Alarm Turn On"},
    {"cb_privateTime", 219, CheckBox, kPageAlert, "Allow Private Time"},
    {"cb_vibrator", 220, CheckBox, kPageAlert, "Vibrator"},
    {"cb_oorTime", 221, List, kPageAlert, "Out Of Range Time", kOorTimeItems},
    {"cb_oorAlert", 222, CheckBox, kPageAlert, "Enable OOR Alert"},
    {"cb_oorAudibleOnNoAlert", 223, CheckBox, kPageAlert, "OOR Audible ON No Alert"},
    {"cb_flexFrames", 224, List, kPageAlert, "Power Up Search Time", kFlexFramesItems},
    {"ed_missed_frame_count_min",
     225,
     Text,
     kPageAlert,
     "Timeout for Reacq. (Min, Sec)",
     {},
     2,
     KeyFilter::None,
     "Enter 0 - 60     "},
    {"ed_missed_frame_count_sec",
     226,
     Text,
     kPageAlert,
     "Timeout for Reacq. (Min, Sec)",
     {},
     2,
     KeyFilter::None,
     "Enter 0, 15, 30, or 45"},
    {"cb_disp_slot_msg", 227, List, kPageAlert, "Disp. Slot/Msg #", kSlotMsgItems},
    {"cb_showSource", 228, CheckBox, kPageAlert, "Show Source"},
    {"cb_std4RepeatPeriod", 229, List, kPageAlert, "Function 4 Repeat Period", kRepeatPeriodItems},
    {"cb_std4PulseDuration", 230, List, kPageAlert, "Function 4 Tone Pulse", kPulseDurationItems},
    {"cb_keyChirp", 231, CheckBox, kPageAlert, "Key Click"},
    {"cb_alarmAlwaysAudible", 232, CheckBox, kPageAlert, "Alarm Always Audible"},
    {"cb_fixAlert", 398, List, kPageAlert, "Fix Reminder Alert", kFixAlertItems},
    {"cb_defaultReminderVibMode", 400, List, kPageAlert, "Default Reminder Vibrate Mode",
     kVibModeItems},
    {"cb_defaultReminderEscalatingMode", 399, List, kPageAlert, "Default Reminder Escalating Mode",
     kEscalatingModeItems},
    {"cb_defaultReminderAlertMode", 401, List, kPageAlert, "Default Reminder Alert Mode",
     kReminderAlertModeItems},
    {"cb_defaultReminderAlertPattern", 402, List, kPageAlert, "Default Reminder Alert Pattern",
     kAlertPatternItems},
    {"cb_reminderAlertDuration", 397, List, kPageAlert, "Reminder Alert Duration",
     kReminderDurationItems},
};

constexpr SingleRow kPasswordOtaRows[] = {
    {"cb_dataInversion", 238, CheckBox, kPagePasswordOta, "Data Inversion"},
    {"cb_enableSecurePasswd", 233, CheckBox, kPagePasswordOta, "Enable Security Level"},
    {"cb_enableLocalPasswd", 234, CheckBox, kPagePasswordOta, "Enable Local Password"},
    {"cb_rfProgrammingEnabled", 235, CheckBox, kPagePasswordOta, "Enable OTA Programming"},
    {"cb_silentRFProgramming", 236, CheckBox, kPagePasswordOta, "Silent OTA Programming"},
    {"cb_supportOTAAlphaVector", 237, CheckBox, kPagePasswordOta, "OTA Support Alpha Vector"},
    {"ck_CP_EP1_HP_Enable", 412, CheckBox, kPagePasswordOta, "Hand Programming Enable"},
    {"ed_CP_EP1_HP_Password",
     413,
     MaskedText,
     kPagePasswordOta,
     "Hand Programming Password",
     {},
     4,
     KeyFilter::None,
     "Enter value: 0000-9999",
     "9999;1;0"},
    {"ed_CP_EP1_HP_Error_Number",
     414,
     Text,
     kPagePasswordOta,
     "Maximum Error Count",
     {},
     3,
     KeyFilter::Digits,
     "Enter Decimal value: 0-255"},
    {"cb_fUif_User_Password_Enable", 418, List, kPagePasswordOta, "Password Enable",
     kDisableEnableItems},
    {"cb_fUif_User_Password_Level", 419, List, kPagePasswordOta, "Password Protect Level",
     kUserPasswordLevelItems},
    {"ed_cpwFc_Pswd_Timeout_h",
     420,
     Text,
     kPagePasswordOta,
     "Password Timeout (Max.12h)",
     {},
     2,
     KeyFilter::Digits,
     "Enter hours. (Max. 12)"},
    {"ed_cpwFc_Pswd_Timeout_m",
     421,
     Text,
     kPagePasswordOta,
     "Password Timeout (Max.12h)",
     {},
     3,
     KeyFilter::Digits,
     "Enter minutes. (Max.720)"},
    {"ed_cpwFc_Pswd_Timeout_s",
     422,
     Text,
     kPagePasswordOta,
     "Password Timeout (Max.12h)",
     {},
     5,
     KeyFilter::Digits,
     "Enter seconds. (Max.43200)"},
    // The user password as key digits 0..3 (hidden), and the same keys as letters L R U D.
    {"ed_cpwFc_Password",
     kNoFieldNumber,
     Text,
     kPagePasswordOta,
     "User Password",
     {},
     8,
     KeyFilter::PasswordKeyDigits},
    {"ed_cpwFc_Password_LRUD",
     423,
     Text,
     kPagePasswordOta,
     "User Password",
     {},
     8,
     KeyFilter::None,
     {},
     {},
     true},
};

constexpr SingleRow kFeaturesRows[] = {
    {"cb_retainErroredNumeric", 239, CheckBox, kPageFeatures, "Retain Errored Numeric Msg"},
    {"cb_retainErroredNonNumeric", 240, CheckBox, kPageFeatures, "Retain Errored Non-Num Msg"},
    {"cb_retainBetterMaildrop", 241, CheckBox, kPageFeatures, "Retain Better MailDrop Msg"},
    {"cb_personalMessageNotebook", 242, CheckBox, kPageFeatures, "Personal Message Notebook"},
    {"cb_maildropMessageNotebook", 243, CheckBox, kPageFeatures, "MailDrop Message NoteBook"},
    {"cb_duplication", 244, CheckBox, kPageFeatures, "Duplicate Message Detection"},
    {"cb_sourceIndependentDuplication", 245, CheckBox, kPageFeatures,
     "Source Indep'nt Duplication"},
    {"cb_sequentialLockoutPeriod", 246, List, kPageFeatures, "Sequential Lockout Period",
     kLockoutPeriodItems},
    {"cb_truncatedMessageIndicator", 247, CheckBox, kPageFeatures, "Truncated Message Indicator"},
    {"cb_badDataIndication", 248, CheckBox, kPageFeatures, "Errored Data Indication"},
    {"cb_twoBitErrorIndication", 249, CheckBox, kPageFeatures, "Two Bit Error Indication"},
    {"cb_messageContinueIndicator", 250, CheckBox, kPageFeatures, "Message Continue Indication"},
    {"cb_ignoreCR", 251, CheckBox, kPageFeatures, "Ignore CR"},
    {"cb_readTimeout", 252, List, kPageFeatures, "Read Timeout", kReadTimeoutItems},
    {"cb_readScrollTime", 253, List, kPageFeatures, "Fast Scroll Time", kScrollTimeItems},
    {"cb_allowOff", 254, CheckBox, kPageFeatures, "Allow Off"},
    {"cb_functionMenuDisplay", 255, List, kPageFeatures, "Function Menu Display",
     kFunctionMenuItems},
    {"cb_manualDelete", 256, CheckBox, kPageFeatures, "Manual Delete"},
    {"cb_messageLocking", 257, CheckBox, kPageFeatures, "Message Locking"},
    {"cb_nonVolatileMemory", 258, CheckBox, kPageFeatures, "Memory Retention"},
    {"cb_memoryCleanup", 259, CheckBox, kPageFeatures, "Delete All"},
    {"cb_B14bitDecoding", 260, CheckBox, kPageFeatures, "B14bitDecoding"},
    // Its state is the canned level: 0 none, 1 two digits, 2 extended.
    {"cb_ideoNumericCanned", 261, CheckBox, kPageFeatures, "Ideo Numeric Canned Msgs"},
    {"cb_regularCannedMsg", 262, CheckBox, kPageFeatures, "Regular Canned Messages"},
    {"ed_startCannedMsg", 263, Text, kPageFeatures, "Canned Msgs Start / End Address", {}, 4},
    {"ed_endCannedMsg", 264, Text, kPageFeatures, "Canned Msgs Start / End Address", {}, 4},
    {"cb_messagePreview", 265, CheckBox, kPageFeatures, "Message Preview"},
    {"cb_autoBacklight", 266, CheckBox, kPageFeatures, "Auto Backlight Disabled"},
    {"cb_err_msg_detect", 267, CheckBox, kPageFeatures, "Use Checksum for Errors"},
    {"ed_displayContrast",
     268,
     Text,
     kPageFeatures,
     "Display Contrast Value",
     {},
     2,
     KeyFilter::Digits,
     "Enter Decimal value: 0-15  "},
    {"ck_cpfUif_Paging_Auto_Backlight", 410, CheckBox, kPageFeatures, "Paging Auto Backlight"},
    {"ck_cpfUif_New_Msg_Auto_Display", 411, CheckBox, kPageFeatures,
     "Auto Display Msg When Paging"},
};

// More Features. The battery levels, suffixes, tone-only source and the
// hidden lists carry labels of our own.
constexpr SingleRow kMoreFeaturesRows[] = {
    {"cb_batteryGauge", 269, CheckBox, kPageMoreFeatures, "Enable Battery Gauge"},
    {"cb_batteryGaugeHiLevel", 270, List, kPageMoreFeatures, "High Level", kBatteryLevelItems},
    {"cb_batteryGaugeMedLevel", 271, List, kPageMoreFeatures, "Medium Level", kBatteryLevelItems},
    {"cb_batteryGaugeLoLevel", 272, List, kPageMoreFeatures, "Low Level", kBatteryLevelItems},
    {"cb_printerEnabled", 273, CheckBox, kPageMoreFeatures, "Manual Printer"},
    {"cb_incomingMsgPrint", 274, CheckBox, kPageMoreFeatures, "Automatic Print"},
    {"cb_printEtx", 275, CheckBox, kPageMoreFeatures, "Printer Message Separator"},
    {"cb_printCRwithLF", 276, CheckBox, kPageMoreFeatures, "Print CR With LF"},
    {"cb_showMemFull", 277, CheckBox, kPageMoreFeatures, "Show Memory Full"},
    {"cb_area_code_suffix", 278, List, kPageMoreFeatures, "Area Code Suffix", kSuffixItems},
    {"cb_exchange_suffix", 279, List, kPageMoreFeatures, "Exchange Suffix", kSuffixItems},
    {"cb_zoom", 280, CheckBox, kPageMoreFeatures, "Zoom"},
    {"cb_showToneOnlySource", 281, List, kPageMoreFeatures, "Show Tone Only Source",
     kToneOnlySourceItems},
    {"cb_ZoomDefault", 282, List, kPageMoreFeatures, "Zoom Default", kZoomDefaultItems},
    {"cb_MaildropFirstCapcode", 283, List, kPageMoreFeatures, "Maildrop First Capcode",
     kDisableEnableItems},
    {"cb_timeFormat", 404, List, kPageMoreFeatures, "Time Format", kTimeFormatItems},
    {"cb_turnOnPager", 405, List, kPageMoreFeatures, "Turn On Pager", kTurnOnPagerItems},
    {"cb_selDutySource", 406, CheckBox, kPageMoreFeatures, "Select Duty Source"},
    {"cb_priorityWithout", 407, CheckBox, kPageMoreFeatures, "Priority Without"},
};

// One row per per-address control; "{n}" stands for the address number,
// "{nn}" for it in two digits, "{lang}" for the language-pointer spelling
// (a to d for addresses 1 to 4, the number from 5 on). Address n takes the
// field number first + stride * (n - 1).
struct AddressRow {
  AddressControl control;
  std::string_view nameTemplate;
  int firstField;
  int fieldStride;
  ControlKind kind;
  std::string_view label;
  Items items = {};
  int maxLength = 0;
  int maxLengthEvenAddress = 0;  // 0: as maxLength
  KeyFilter keyFilter = KeyFilter::None;
  std::string_view hint = {};
  bool readOnly = false;
  std::string_view caption = {};
};

constexpr int kAddressFieldStride = 9;

// Short capcodes have 7 digits, long ones 10; an even slot never holds a long one.
constexpr AddressRow kAddressRows[] = {
    {AddressControl::Capcode,
     "ed_capcode{n}",
     5,
     kAddressFieldStride,
     Text,
     "Decimal Address",
     {},
     10,
     7,
     KeyFilter::Digits},
    {AddressControl::FlexAddress,
     "ed_addr{n}",
     kNoFieldNumber,
     0,
     Text,
     "FLEX Address",
     {},
     7,
     0,
     KeyFilter::None,
     {},
     true},
    {AddressControl::Personal,
     "cb_personalAddress_addr{n}",
     6,
     kAddressFieldStride,
     CheckBox,
     "Allow Personal",
     {},
     0,
     0,
     KeyFilter::None,
     {},
     false,
     "Enable"},
    {AddressControl::LanguagePointer, "cb_addr{lang}LangPtr", 7, kAddressFieldStride, List,
     "Language Pointer", kLanguagePointerItems},
    {AddressControl::Priority, "cb_priority_addr{n}", 8, kAddressFieldStride, CheckBox, "Priority"},
    {AddressControl::History, "cb_addr{n}_history", 9, kAddressFieldStride, CheckBox,
     "Maildrop History"},
    {AddressControl::MessageType, "cb_addr{n}_msg_type", 10, kAddressFieldStride, List,
     "Address Type", kMessageTypeItems},
    {AddressControl::Frame, "ed_addr{n}_frame", 11, kAddressFieldStride, Text, "Frame", {}, 3},
    {AddressControl::Collapse,
     "ed_addr{n}_collapse",
     12,
     kAddressFieldStride,
     Text,
     "Battery Cycle",
     {},
     1},
    {AddressControl::OtaEnable, "cb_otaEnable_addr{n}", 13, kAddressFieldStride, CheckBox,
     "Enable OTA"},
    {AddressControl::DecryptKey, "ck_Decryptkey{nn}", kNoFieldNumber, 0, CheckBox,
     "Encryption key"},
    {AddressControl::OnOffDuty,
     "ed_onOffDuty{nn}",
     282,
     1,
     Text,
     "On / Off Duty (Y,N)",
     {},
     1,
     0,
     KeyFilter::YesNoOverwrite},
    {AddressControl::FixAlert,
     "ed_fixAlert{nn}",
     298,
     1,
     Text,
     "Fix Alert",
     {},
     1,
     0,
     KeyFilter::YesNoOverwrite},
    {AddressControl::InterruptVib,
     "ed_interruptVib{nn}",
     314,
     1,
     Text,
     "Interrupted Vibrate Mode",
     {},
     1,
     0,
     KeyFilter::YesNoOverwrite},
    {AddressControl::Escalating,
     "ed_escalating{nn}",
     330,
     1,
     Text,
     "Escalating Mode",
     {},
     1,
     0,
     KeyFilter::YesNoOverwrite},
    {AddressControl::AlertMode, "cb_alertMode{nn}_1", 346, 1, List, "Alert Mode",
     kAddressAlertModeItems, 0, 0, KeyFilter::None, kAlertModeHint},
    {AddressControl::AlertPattern, "cb_alertPattern{nn}_1", 362, 1, List, "Alert Pattern",
     kAlertPatternItems},
};

constexpr bool AddressRowsFollowTheEnum() {
  for (std::size_t i = 0; i < std::size(kAddressRows); ++i) {
    if (static_cast<std::size_t>(kAddressRows[i].control) != i) return false;
  }
  return true;
}
static_assert(AddressRowsFollowTheEnum(), "kAddressRows must be in AddressControl order");

constexpr const AddressRow& RowOf(AddressControl control) {
  return kAddressRows[static_cast<std::size_t>(control)];
}

std::string ExpandName(std::string_view nameTemplate, int address) {
  constexpr std::array<std::string_view, 3> kPlaceholders = {"{nn}", "{n}", "{lang}"};
  for (std::string_view placeholder : kPlaceholders) {
    std::size_t at = nameTemplate.find(placeholder);
    if (at == std::string_view::npos) continue;
    std::string number;
    if (placeholder == "{nn}") {
      char buffer[4];
      std::snprintf(buffer, sizeof buffer, "%02d", address);
      number = buffer;
    } else if (placeholder == "{lang}" && address <= 4) {
      number = std::string(1, static_cast<char>('a' + address - 1));
    } else {
      number = std::to_string(address);
    }
    std::string name(nameTemplate.substr(0, at));
    name += number;
    name += nameTemplate.substr(at + placeholder.size());
    return name;
  }
  return std::string(nameTemplate);
}

ControlEntry FromSingle(const SingleRow& row) {
  ControlEntry entry;
  entry.name = std::string(row.name);
  entry.fieldNumber = row.field;
  entry.kind = row.kind;
  entry.page = row.page;
  entry.label = row.label;
  entry.items = row.items;
  entry.maxLength = row.maxLength;
  entry.keyFilter = row.keyFilter;
  entry.hint = row.hint;
  entry.editMask = row.editMask;
  entry.readOnly = row.readOnly;
  return entry;
}

ControlEntry FromPrompt(const PromptRow& row) {
  ControlEntry entry;
  entry.name = std::string(row.name);
  entry.fieldNumber = row.field;
  entry.kind = Text;
  entry.page = row.page;
  entry.label = row.label;
  entry.maxLength = row.name == kLongPromptName ? kLongPromptMaxLength : kPromptMaxLength;
  entry.keyFilter = KeyFilter::PromptText;
  entry.hint = row.classic ? kClassicPromptHint : kExtendedPromptHint;
  entry.upperCase = true;
  return entry;
}

ControlEntry FromAddressRow(const AddressRow& row, int address) {
  ControlEntry entry;
  entry.name = ExpandName(row.nameTemplate, address);
  entry.fieldNumber = row.firstField == kNoFieldNumber
                          ? kNoFieldNumber
                          : row.firstField + row.fieldStride * (address - 1);
  entry.kind = row.kind;
  entry.page = kPageCode1To4 + (address - 1) / 4;
  entry.label = row.label;
  entry.caption = row.caption;
  entry.items = row.items;
  entry.maxLength = (address % 2 == 0 && row.maxLengthEvenAddress != 0) ? row.maxLengthEvenAddress
                                                                        : row.maxLength;
  entry.keyFilter = row.keyFilter;
  entry.hint = row.hint;
  entry.readOnly = row.readOnly;
  entry.address = address;
  return entry;
}

template <std::size_t N>
void AppendSingles(std::vector<ControlEntry>& entries, const SingleRow (&rows)[N]) {
  for (const SingleRow& row : rows) entries.push_back(FromSingle(row));
}

}  // namespace

const FieldCatalogue& FieldCatalogue::Instance() {
  static const FieldCatalogue catalogue;
  return catalogue;
}

FieldCatalogue::FieldCatalogue() {
  // Page order, so that a page built from the catalogue lists its controls in tab order.
  AppendSingles(entries_, kGeneralRows);
  for (int address = 1; address <= kAddressCount; ++address) {
    for (const AddressRow& row : kAddressRows) entries_.push_back(FromAddressRow(row, address));
  }
  AppendSingles(entries_, kPromptLanguageRows);
  for (const PromptRow& row : kPromptRows) entries_.push_back(FromPrompt(row));
  AppendSingles(entries_, kAlertRows);
  AppendSingles(entries_, kPasswordOtaRows);
  AppendSingles(entries_, kFeaturesRows);
  AppendSingles(entries_, kMoreFeaturesRows);

  for (int index = 0; index < static_cast<int>(entries_.size()); ++index) {
    const ControlEntry& entry = entries_[index];
    byName_.emplace(entry.name, index);
    if (entry.fieldNumber != kNoFieldNumber) byField_.emplace(entry.fieldNumber, index);
  }
}

const ControlEntry* FieldCatalogue::Find(std::string_view name) const {
  int index = IndexOf(name);
  return index < 0 ? nullptr : &entries_[index];
}

int FieldCatalogue::IndexOf(std::string_view name) const {
  auto found = byName_.find(name);
  return found == byName_.end() ? -1 : found->second;
}

std::vector<const ControlEntry*> FieldCatalogue::FindAllByField(int fieldNumber) const {
  std::vector<const ControlEntry*> found;
  auto [first, last] = byField_.equal_range(fieldNumber);
  for (auto it = first; it != last; ++it) found.push_back(&entries_[it->second]);
  return found;
}

const ControlEntry* FieldCatalogue::FindByField(int fieldNumber, int page) const {
  auto [first, last] = byField_.equal_range(fieldNumber);
  for (auto it = first; it != last; ++it) {
    if (entries_[it->second].page == page) return &entries_[it->second];
  }
  return nullptr;
}

std::string FieldCatalogue::AddressControlName(AddressControl control, int address) {
  return ExpandName(RowOf(control).nameTemplate, address);
}

}  // namespace rer
