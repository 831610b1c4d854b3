// vellumar-convert: converts HTML documents into FB2 books without the window.

#include <filesystem>
#include <iostream>
#include <thread>

#include "cli/cli_interaction.h"
#include "cli/cli_options.h"
#include "cli/input_conversion.h"
#include "cli/input_order.h"
#include "cli/ordered_jobs.h"
#include "documents/interrupt_cleanup.h"

int main(int argc, char** argv)
{
    using namespace vellumar::cli;
    // Ctrl-C, SIGTERM or a file-size limit leave no temporary output or folder behind.
    vellumar::InstallInterruptCleanup();
    ParseResult parsed = ParseCommandLine(argc, argv);
    if (!parsed.options) return parsed.exitStatus;
    const CliOptions& options = *parsed.options;

    // Several INPUTs are converted at once, one per processor unless -j says otherwise; what
    // the run prints and writes is the same as converting them one after another.
    const unsigned threads = options.jobs > 0 ? options.jobs : std::max(1u, std::thread::hardware_concurrency());
    const std::vector<bool> readAfterEarlier = InputsToReadAfterEarlierOnes(options);
    WrittenBooks written;
    const bool allConverted = RunJobsInOrder(
        options.inputs.size(), threads, std::cerr, std::cout,
        [&](std::size_t i, std::ostream& err, std::ostream& out, JobTurns& turns) {
            if (readAfterEarlier[i]) turns.waitForEarlier(i);
            CliInteraction interaction(options, err);
            InputConversion conversion(options, interaction, written, err, out);
            return conversion.run(options.inputs[i], i + 1, options.inputs.size(), turns);
        });
    return allConverted ? 0 : 1;
}
