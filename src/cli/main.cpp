// vellumar-convert: converts HTML documents into FB2 books without the window.

#include "cli/cli_interaction.h"
#include "cli/cli_options.h"
#include "cli/input_conversion.h"
#include "documents/interrupt_cleanup.h"

int main(int argc, char** argv)
{
    using namespace vellumar::cli;
    // Ctrl-C, SIGTERM or a file-size limit leave no temporary output or folder behind.
    vellumar::InstallInterruptCleanup();
    ParseResult parsed = ParseCommandLine(argc, argv);
    if (!parsed.options) return parsed.exitStatus;
    const CliOptions& options = *parsed.options;

    CliInteraction interaction(options);
    InputConversion conversion(options, interaction);
    bool allConverted = true;
    for (std::size_t i = 0; i < options.inputs.size(); ++i)
        allConverted = conversion.run(options.inputs[i], i + 1, options.inputs.size()) && allConverted;
    return allConverted ? 0 : 1;
}
