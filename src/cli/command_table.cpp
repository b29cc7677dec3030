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
     "[--scenario FILE] [--backup-dir DIR | --no-backup]",
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
      {"--no-backup", "keep no backup of this read"}},
     {"rer-cli read --port /dev/ttyUSB0 -o pager.cp", "rer-cli read --port sim -o demo.cp"},
     RunReadCommand},
    {"program",
     "--port PORT|sim[:MODEL] [--port PORT ...] FILE.cp [--sequential N] [--no-wait] "
     "[--log RUN.csv] "
     "[--password P] [--local-password P] [--secure-password P] [--ota-password P] "
     "[--serial S --partition I] [--yes|--no] [--retries N] [--scenario FILE]",
     "Programs a codeplug file into the pager, or with --sequential into a run of pagers whose "
     "addresses and inventory number advance by one per pager. A run with several --port options "
     "programs on every cradle at once, each on its own thread: every pager that starts takes the "
     "next addresses and inventory number, and a pager that fails leaves its values to the next "
     "pager of its cradle.",
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
      kScenarioOption},
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
       "values (applied in field-number order), or the output of dump"},
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
