#include "app/program_options.h"

#include "app/simulated_pager_port.h"

namespace rer {

ProgramOptions ParseProgramOptions(const QStringList& arguments) {
  ProgramOptions options;
  for (qsizetype at = 0; at < arguments.size(); ++at) {
    const QString& word = arguments[at];
    if (word == "--simulate" || word.startsWith("--simulate=")) {
      const QString model = word.section('=', 1);
      if (word.contains('=') && model.isEmpty()) {
        options.error = "--simulate= needs a pager model";
        return options;
      }
      const auto parsed = ParseSimulatedModel(model.toStdString());
      if (!parsed) {
        options.error = "not a pager model: " + model;
        return options;
      }
      options.simulate = true;
      options.simulatedModel = *parsed;
    } else if (word == "--read-on-start") {
      options.readOnStart = true;
    } else if (word == "--screenshots") {
      if (at + 1 >= arguments.size()) {
        options.error = "--screenshots needs a folder";
        return options;
      }
      options.screenshotsFolder = arguments[++at];
      options.readOnStart = true;
    } else {
      options.error = "unknown option: " + word;
      return options;
    }
  }
  return options;
}

}  // namespace rer
