// vellumar-convert: converts HTML and word-processor documents into FB2 books without the window.

#include <sys/ioctl.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <thread>

#include "checking/book_check.h"
#include "cli/book_checking.h"
#include "cli/book_claims.h"
#include "cli/cli_interaction.h"
#include "cli/cli_options.h"
#include "cli/heap_policy.h"
#include "cli/input_conversion.h"
#include "cli/input_order.h"
#include "cli/ordered_jobs.h"
#include "cli/path_keys.h"
#include "cli/text_output.h"
#include "files/interrupt_cleanup.h"
#include "pipeline/source_loading.h"

namespace {

// Converts the INPUTs of `options`; the run's exit status.
int convertInputs(const vellumar::cli::CliOptions& options, vellumar::cli::TextOutput& err,
                  vellumar::cli::TextOutput& out)
{
    using namespace vellumar::cli;
    // The -d folder is made before anything is converted into it.
    if (const std::optional<std::string> problem = makeOutputFolder(options)) {
        err << "vellumar-convert: " << *problem << '\n';
        return 1;
    }

    // The word-processor documents among the INPUTs go through LibreOffice first, all in one
    // start, into a private folder that lives until the end of the run.
    std::size_t documents = 0;
    for (const std::string& input : options.inputs)
        if (vellumar::isWordProcessorDocument(input)) ++documents;
    if (documents > 0 && !options.quiet)
        err << "LibreOffice: converting " << documents << (documents == 1 ? " document\n" : " documents\n");
    std::optional<vellumar::SourceBatch> sources;
    try {
        sources.emplace(options.inputs);
    } catch (const std::exception& e) {
        err << "vellumar-convert: " << e.what() << '\n';
        return 1;
    }

    // Several INPUTs are converted at once, one per processor unless -j says otherwise; what
    // the run prints and writes is the same as converting them one after another.
    const unsigned threads = options.jobs > 0           ? options.jobs
                             : options.inputs.size() <= 1 ? 1u
                                                          : std::max(1u, std::thread::hardware_concurrency());
    PathKeys keys;
    const std::vector<bool> readAfterEarlier = inputsToReadAfterEarlierOnes(options, keys);
    BookClaims claims(options, keys);
    const bool allConverted = runJobsInOrder(
        options.inputs.size(), threads, err, out,
        [&](std::size_t i, TextOutput& jobErr, TextOutput& jobOut, JobTurns& turns) {
            if (readAfterEarlier[i]) turns.waitForEarlier(i);
            CliInteraction interaction(options, options.inputs[i], jobErr);
            InputConversion conversion(options, interaction, claims, jobErr, jobOut);
            return conversion.run(options.inputs[i], i + 1, options.inputs.size(), turns, *sources);
        });
    return allConverted ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    using namespace vellumar::cli;
    // Ctrl-C, SIGTERM, a closed terminal or a file-size limit leave no temporary output or folder behind, and
    // end a running LibreOffice.
    vellumar::installInterruptCleanup();
    keepFreedMemory();
    TextOutput& out = standardOutput();
    TextOutput& err = standardError();
    // The help, the version and the check's report are the run's result: when they cannot be
    // written (a full disk, /dev/full), the run failed.
    const auto reported = [&out, &err](int status) {
        out.flush();
        if (out.good()) return status;
        err << "vellumar-convert: cannot write standard output\n";
        return 1;
    };
    ParseResult parsed = parseCommandLine(argc, argv, out, err);
    if (!parsed.options) return reported(parsed.exitStatus);
    if (parsed.options->check)
        return reported(
            checkBooks(parsed.options->inputs, vellumar::findFb2Schema(runningProgramFolder(argv[0])), out, err));

    // Someone watching a terminal sees a batch's progress on one line; a log (stderr not a
    // terminal) keeps a line per INPUT.
    std::optional<InPlaceProgressOutput> terminal;
    if (!parsed.options->quiet && ::isatty(STDERR_FILENO)) {
        winsize size{};
        const bool sized = ::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0;
        terminal.emplace(err, sized ? size.ws_col : 80);
        parsed.options->progressInPlace = true;
    }
    const int status = convertInputs(*parsed.options, terminal ? *terminal : err, out);
    if (terminal) terminal->finish();
    return status;
}
