#include "cli/command_table.h"

namespace rer::cli {
namespace {

// Options that several pager commands share, described once.
constexpr CommandOption kPortOption{
    "--port PORT|sim[:MODEL]",
    "the cradle's serial port (a device path such as /dev/ttyUSB0), or sim for a simulated pager "
    "inside the command (model 0x84 unless MODEL gives another, e.g. sim:0xC0)"};
constexpr CommandOption kRetriesOption{
    "--retries N", "answer Yes to the first N questions to try again; every later one is No"};
constexpr CommandOption kScenarioOption{
    "--scenario FILE",
    "a JSON file that describes the simulated pager (model, firmware, image, faults); without "
    "it the simulated pager holds a demonstration codeplug"};
constexpr CommandOption kPasswordOption{"--password P",
                                        "the pager's access password, when the pager asks for it"};
constexpr CommandOption kLocalPasswordOption{
    "--local-password P", "the codeplug's local password, when the codeplug holds one"};

constexpr CommandOption kHistoryFileOption{
    "--history FILE",
    "the pager history database (default: pager-history.sqlite in the user's data folder, "
    "rer/ under $XDG_DATA_HOME)"};
constexpr CommandOption kNoHistoryOption{"--no-history",
                                         "add nothing to the pager history for this command"};

const std::vector<CommandEntry> kCommands = {
    {"message",
     "CODE [--attempts-left N] [--secure-wrong N] [--question]",
     "Prints the message box that a result code shows: its title on the first line, then its "
     "text exactly as the window shows it.",
     {{"CODE", "a result code, decimal or 0x hexadecimal (negative codes are failures)"},
      {"--attempts-left N", "the password tries left that the text of code -1 names"},
      {"--secure-wrong N", "the wrong SECURE passwords in a row that the text of code -6 names"},
      {"--question", "print the Yes/No question of the code instead of its error box"}},
     {"rer-cli message -114", "rer-cli message -1 --attempts-left 2"},
     RunMessageCommand},
    {"identify",
     "--port PORT|sim[:MODEL] [--retries N] [--scenario FILE]",
     "Wakes the pager and prints its model code, its firmware version and the firmware flags "
     "that are set.",
     {kPortOption, kRetriesOption, kScenarioOption},
     {"rer-cli identify --port /dev/ttyUSB0", "rer-cli identify --port sim:0xC0"},
     RunIdentifyCommand},
    {"sim",
     "--link PATH [--model 0x84] [--firmware \" R0501\"] [--scenario FILE] [--log FILE]",
     "Serves a simulated pager on a pseudo-terminal in real time until interrupted, so that "
     "another program can open it as its serial port.",
     {{"--link PATH", "the path made a link to the pseudo-terminal that a program opens"},
      {"--model CODE", "the pager's model code (default 0x84)"},
      {"--firmware TEXT", "the firmware version text the pager reports, e.g. \" R0501\""},
      kScenarioOption,
      {"--log FILE", "append one JSON line per operation the pager carries out"}},
     {"rer-cli sim --link /tmp/pager --model 0x84 --firmware \" R0501\" &"},
     RunSimCommand},
    {"read",
     "--port PORT|sim[:MODEL] -o FILE.cp [--password P] [--local-password P] [--retries N] "
     "[--scenario FILE] [--backup-dir DIR | --no-backup] [--history FILE | --no-history]",
     "Reads the pager's codeplug, decodes it as the window does, prints the pager's identity and "
     "codeplug version, and writes the image as the pager holds it into a codeplug file; a "
     "backup of every read is also kept, named from the pager's serial number and the time.",
     {kPortOption,
      {"-o FILE.cp", "the codeplug file to write"},
      kPasswordOption,
      kLocalPasswordOption,
      kRetriesOption,
      kScenarioOption,
      {"--backup-dir DIR",
       "the folder of the backups (made when missing; default: backups in the documents "
       "folder); a backup that cannot be written is reported but does not fail the read"},
      {"--no-backup", "keep no backup of this read"},
      kHistoryFileOption,
      kNoHistoryOption},
     {"rer-cli read --port /dev/ttyUSB0 -o pager.cp", "rer-cli read --port sim -o demo.cp"},
     RunReadCommand},
    {"program",
     "--port PORT|sim[:MODEL] [--port PORT ...] FILE.cp [--sequential N] [--no-wait] "
     "[--log RUN.csv] "
     "[--password P] [--local-password P] [--secure-password P] [--ota-password P] "
     "[--serial S --partition I] [--yes|--no] [--retries N] [--scenario FILE] "
     "[--backup-dir DIR | --no-backup] [--no-verify] [--history FILE | --no-history]",
     "Programs a codeplug file into the pager, or with --sequential into a run of pagers whose "
     "addresses and inventory number advance by one per pager. The codeplug each pager held "
     "before is kept as a backup, and each pager is read back after the write to verify that it "
     "holds what was written. "
     "A run with several --port options programs on every cradle at once, each on its own "
     "thread: every pager that starts takes the next addresses and inventory number, and a pager "
     "that fails leaves its values to the next pager of its cradle.",
     {kPortOption,
      {"--port PORT (again)",
       "with --sequential: one more cradle of the same run; each cradle's messages begin with its "
       "port, a failure or a dead port stops that cradle only, and the summary counts the pagers "
       "of each port"},
      {"FILE.cp", "the codeplug file to program"},
      {"--sequential N",
       "program N pagers one after another, advancing the addresses and the inventory number "
       "after each"},
      {"--no-wait",
       "do not wait for Enter before each next pager of a run; with several ports a failed pager "
       "then stops its cradle, since nobody changes the pager in it"},
      {"--log RUN.csv",
       "append one CSV line per pager: its serial, inventory number, capcodes "
       "and result; a run over several ports adds the port as the last column and will not "
       "append to a log without it"},
      kPasswordOption,
      kLocalPasswordOption,
      {"--secure-password P", "the SECURE password, when programming asks for it"},
      {"--ota-password P", "the over-the-air password, when programming asks for it"},
      {"--serial S", "the serial number to enter when the pager asks for one"},
      {"--partition I", "with --serial: the memory partition entry, 0 to 6"},
      {"--yes", "answer Yes to the questions of the run"},
      {"--no", "answer No to the questions of the run (the default)"},
      kRetriesOption,
      kScenarioOption,
      {"--backup-dir DIR",
       "the folder of the backups of what each pager held before (made when missing; default: "
       "backups in the documents folder); a backup that cannot be written is reported but does "
       "not fail the program"},
      {"--no-backup", "keep no backup of what the pagers held"},
      {"--no-verify", "do not read each pager back after the write"},
      kHistoryFileOption,
      kNoHistoryOption},
     {"rer-cli program --port /dev/ttyUSB0 edited.cp",
      "rer-cli program --port /dev/ttyUSB0 edited.cp --sequential 3 --log run.csv",
      "rer-cli program --port /dev/ttyUSB0 --port /dev/ttyUSB1 edited.cp --sequential 40 --log "
      "run.csv"},
     RunProgramCommand},
    {"dump",
     "FILE.cp [--format json|text]",
     "Loads a codeplug file as the window does and prints its settings: as JSON by control name, "
     "or as a text report grouped by settings page.",
     {{"FILE.cp", "the codeplug file to show"},
      {"--format json|text", "JSON (the default) or a readable report"}},
     {"rer-cli dump pager.cp --format text"},
     RunDumpCommand},
    {"apply",
     "BASE.cp SETTINGS.json -o OUT.cp [--yes | --no]",
     "Takes the edits that a JSON file names through the rules of the settings pages, as the "
     "window does, runs the page checks and the checks of Save as, and writes a new codeplug "
     "file; every message and question of the window is printed on stderr. On any error nothing "
     "is written.",
     {{"BASE.cp", "the codeplug file to start from"},
      {"SETTINGS.json",
       "an array of one-control objects (applied in order), an object of control names and "
       "values (applied in field-number order), or the output of dump; the codeplug passwords "
       "go by the names securePassword, localPassword and otaPassword, the user password keys "
       "by ed_cpwFc_Password (digits 0-3) or ed_cpwFc_Password_LRUD (letters L, R, U, D)"},
      {"-o OUT.cp", "the codeplug file to write"},
      {"--yes", "answers every question Yes"},
      {"--no", "answers every question No (also when neither is given)"}},
     {"rer-cli apply pager.cp edits.json -o edited.cp"},
     RunApplyCommand},
    {"diff",
     "A.cp B.cp [--format text|json]",
     "Loads two codeplug files as the window does and lists the settings in which they differ, "
     "in field-number order, with both values as the pages show them; prints nothing when they "
     "are equal. Exits 0 when equal, 1 when they differ, 2 when a file cannot be compared.",
     {{"A.cp", "the first codeplug file"},
      {"B.cp", "the second codeplug file"},
      {"--format text|json",
       "one line per setting (the default), or a JSON list of objects with control, label, a "
       "and b"}},
     {"rer-cli diff before.cp after.cp", "rer-cli diff pager.cp edited.cp --format json"},
     RunDiffCommand},
    {"report",
     "FILE.cp -o REPORT.pdf",
     "Writes the printed record of a codeplug file as a PDF: the file is loaded as the window "
     "loads it, each settings page shown for its pager model is photographed as Print does, and "
     "the pictures go two to a sheet on six A4 portrait sheets, the file name at the top. Needs no "
     "display.",
     {{"FILE.cp", "the codeplug file to report"}, {"-o REPORT.pdf", "the PDF file to write"}},
     {"rer-cli report unit7.cp -o unit7.pdf"},
     RunReportCommand},
    {"tone",
     "(--pattern N | --melody HEX32 | --note INDEX) -o FILE.wav",
     "Renders a tone preview of the window as a 16-bit mono WAV file: an alert pattern with all "
     "its steps, the sixteen notes of a pleasing alert, or one note of the frequency list.",
     {{"--pattern N", "alert pattern 0 to 15 (0 STD, 1 to 8 PL1 to PL8, 9 to 15 UG1 to UG7)"},
      {"--melody HEX32", "the sixteen pleasing-alert note bytes as 32 hexadecimal digits"},
      {"--note INDEX", "one index of the pleasing alert's frequency list (0 is OFF)"},
      {"-o FILE.wav", "the WAV file to write"}},
     {"rer-cli tone --pattern 15 -o ug7.wav"},
     RunToneCommand},
    {"service",
     "--port PORT|sim[:MODEL] COMMAND [--retries N] [--scenario FILE]",
     "Sends one test-mode command to the pager in the cradle, as the test page of the service "
     "dialog does, and prints its answer: the name of the key held down for key, the pattern "
     "character for ram, ok for the others. A pager that does not acknowledge the command fails "
     "it.",
     {kPortOption,
      {"COMMAND",
       "exit (leave test mode), ram (RAM test pattern), key (key test), vibrator-on, "
       "vibrator-off, alert-on, alert-off, backlight-on, backlight-off, enable-ram (enable the "
       "RAM test)"},
      kRetriesOption,
      kScenarioOption},
     {"rer-cli service --port /dev/ttyUSB0 key", "rer-cli service --port sim vibrator-on"},
     RunServiceCommand},
    {"history",
     "[--serial S] [--capcode C] [--icn I] [--since DATE] [--failed] [--current] "
     "[--format text|json|csv] [--history FILE] | --restore ID -o FILE.cp [--previous]",
     "Lists the pager reads and program attempts kept in the pager history that match every "
     "condition given, newest first; every read and program command adds one row per pager. "
     "With --restore, writes the codeplug a row keeps back out as a codeplug file.",
     {{"--serial S", "only the rows of this serial number"},
      {"--capcode C", "only the rows whose pager held capcode C (leading zeros do not matter)"},
      {"--icn I", "only the rows of this inventory number"},
      {"--since DATE", "only the rows from DATE on (local time: YYYY-MM-DD or YYYY-MM-DD HH:MM)"},
      {"--failed", "only the attempts that failed"},
      {"--current",
       "only the newest row of each serial number, so that a capcode search finds the pager "
       "that holds it now and not one that held it before it was reprogrammed"},
      {"--format text|json|csv", "a readable table (the default), JSON or CSV"},
      kHistoryFileOption,
      {"--restore ID", "the row (its id in the list) whose codeplug to write"},
      {"-o FILE.cp", "with --restore: the codeplug file to write"},
      {"--previous",
       "with --restore of a program attempt: the codeplug the pager held before it was "
       "programmed"}},
     {"rer-cli history --capcode 1234567 --current", "rer-cli history --failed --since 2026-12-01",
      "rer-cli history --restore 42 -o before.cp"},
     RunHistoryCommand},
};

}  // namespace

std::string CommandEntry::Usage() const {
  return std::string(name) + " " + arguments;
}

std::span<const CommandEntry> Commands() {
  return kCommands;
}

const CommandEntry* FindCommand(std::string_view name) {
  for (const CommandEntry& command : kCommands) {
    if (name == command.name) return &command;
  }
  return nullptr;
}

}  // namespace rer::cli
