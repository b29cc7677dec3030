#pragma once
// Every result code of the program under one name, named after what it means,
// for every layer. The texts behind them are in messages.cpp.
//
// How each layer reports success (failures are the negative codes below):
//   - The link engines (pager/link_engine.h): kLinkOk (0).
//   - The pager operations built on them (read, program, identify, clear):
//     kSuccess (1); the program sequence gives kNotDone (0) when it stopped
//     after it had already told the user why.
//   - Decode and encode of a codeplug: kSuccess (1); kNotDone (0) when no
//     family was in force and nothing was done.
//   - The address checks of the Code pages: kChecksPassed (0).
//   - The page checks: kSuccess (1) for valid values.
//   - Message boxes answer kResultOk, kResultYes or kResultNo.
//   - The command-line tool exits with 0 for success and 1 for failure.

namespace rer {

// ---- Success and the message-box answers --------------------------------
inline constexpr int kSuccess = 1;
// Decode or encode without a family in force; a program sequence that ended
// after it had told the user why.
inline constexpr int kNotDone = 0;
// The link engines' success.
inline constexpr int kLinkOk = 0;
// The address checks' pass.
inline constexpr int kChecksPassed = 0;
inline constexpr int kResultOk = 1;
inline constexpr int kResultYes = 6;
inline constexpr int kResultNo = 7;

// ---- Errors and warnings (OK boxes) ----------------------------------------
inline constexpr int kLinkWrongPassword = -1;  // the pager refused its password
inline constexpr int kFrequencyOutOfReceiverRange = -3;
inline constexpr int kFrequencyNotAllowed = -4;
inline constexpr int kFrequencyNotAllowedSeeHelp = -5;
inline constexpr int kWrongSecurePassword = -6;
inline constexpr int kFirmwareTooOld = -7;
inline constexpr int kWrongLocalPassword = -8;
inline constexpr int kLinkUnknownPager = -15;
inline constexpr int kLinkNotResponding = -16;
inline constexpr int kOperationCancelled = -17;  // the user pressed Escape or closed the entry
inline constexpr int kPortOpenFailed = -18;
inline constexpr int kIncorrectChecksum = -19;
inline constexpr int kLinkBadPagerData = -21;
inline constexpr int kLinkUnprogrammed = -22;
inline constexpr int kLinkDownloadDisabled = -23;
inline constexpr int kLinkBadChecksum = -25;
inline constexpr int kLinkNoAcknowledge = -26;
inline constexpr int kInvalidAddressCode = -27;
inline constexpr int kInvalidArchive = -28;
inline constexpr int kPagerNotProgrammed = -32;
inline constexpr int kFrequencyStepNotSynthesizable = -34;
inline constexpr int kDuplicateCodes = -48;
inline constexpr int kReminderIntervalAboveTimeout = -49;
inline constexpr int kNotebookWithoutManualDelete = -50;
inline constexpr int kMaximumSizeExceeded = -51;
inline constexpr int kCharSetMismatchWarning = -52;
inline constexpr int kPagerInQuickPageMode = -53;
inline constexpr int kPagerInKeepGoodMessagesMode = -54;
inline constexpr int kPagerInReceiverOnMode = -55;
inline constexpr int kNoChineseRom = -56;
inline constexpr int kOtherModelCodeplug = -57;
inline constexpr int kCodeplugCorrupted = -58;
inline constexpr int kInvalidOutOfRangeTime = -59;
inline constexpr int kInvalidReacquisitionTime = -60;
inline constexpr int kNothingShownForMessage = -61;
inline constexpr int kPagerInChirpMode = -62;
inline constexpr int kInvalidBatteryCycle = -66;
inline constexpr int kInvalidFrame = -67;
inline constexpr int kThaiCannedDefault = -68;
inline constexpr int kInvalidBatteryGaugeLevel = -72;
inline constexpr int kTextContrastOutOfRange = -75;
inline constexpr int kInvalidCannedRange = -76;
inline constexpr int kCannedRangeInvalid = -77;  // for the pager's ROM: reset to the default
inline constexpr int kServiceWrongPassword = -80;
inline constexpr int kPasswordVerifyMismatch = -90;
inline constexpr int kWrongOtaPassword = -91;
inline constexpr int kReadCodeplugTooNew = -93;
inline constexpr int kIconContrastOutOfRange = -103;
inline constexpr int kCodeplugTooNew = -107;
inline constexpr int kSoftwareWrongPassword = -110;
inline constexpr int kPagerCleared = -113;
inline constexpr int kLinkPortNotOpened = -114;
inline constexpr int kFrequencyNotSynthesizable = -115;
inline constexpr int kFrequencyOutOfBand = -116;
inline constexpr int kCodeplugNewerThanPager = -117;
inline constexpr int kMaximumErrorCountOutOfRange = -120;
inline constexpr int kVersionsMismatch = -121;
inline constexpr int kFrequencyOutOfReceiver = -125;
// The keypad was asked to save fewer than two keys; it has no text of its own.
inline constexpr int kUserPasswordTooShort = -126;
inline constexpr int kPasswordTimeoutTooLong = -127;
inline constexpr int kUpdatesAvailable = -128;
inline constexpr int kPagerModelMismatch = -129;
inline constexpr int kPagerNotSupported = -136;
// What the pager holds after programming is not what was written to it.
inline constexpr int kVerifyMismatch = -160;
// The automatic backup of a codeplug read from a pager could not be written;
// the read or the program itself went on.
inline constexpr int kBackupNotWritten = -161;

// ---- Questions (Yes/No boxes) ----------------------------------------------
inline constexpr int kQuestionRetryNotResponding = -16;
inline constexpr int kQuestionSequentialDuplicates = -65;
inline constexpr int kQuestionFrameMismatch = -69;
inline constexpr int kQuestionBatteryCycleNotDefault = -70;
inline constexpr int kQuestionHardwareSettings = -73;
inline constexpr int kQuestionSetToDefaults = -95;
inline constexpr int kQuestionClearPager = -111;
inline constexpr int kQuestionBusyExit = -112;
inline constexpr int kQuestionPagerNewerThanCodeplug = -118;
inline constexpr int kQuestionChannelWidthDiffers = -122;
inline constexpr int kQuestionSynthesizerDiffers = -123;
inline constexpr int kQuestionWidthAndSynthesizerDiffer = -124;
inline constexpr int kQuestionRetryStandard = -130;
inline constexpr int kQuestionRetryCompact = -131;
// The pager stopped answering: during a read or a 4 KB program, a 1 KB program.
inline constexpr int kQuestionRetryDto3 = -132;
inline constexpr int kQuestionRetryTransfer = -133;
inline constexpr int kQuestionRetryProgram1K = -134;

}  // namespace rer
