#include "cli/input_order.h"

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "cli/input_conversion.h"
#include "convert/title_information.h"
#include "encodings/text_encoding.h"

namespace vellumar::cli {

std::vector<bool> inputsToReadAfterEarlierOnes(const CliOptions& options, PathKeys& keys)
{
    // The name the flags' book info proposes (the same for every book of the run).
    std::optional<std::string> proposed;
    if (options.conversion.showTitleInfo)
        proposed = proposedBookFileName(utf8ToWindows1251(options.title.value_or("")),
                                        utf8ToWindows1251(options.firstName.value_or("")),
                                        utf8ToWindows1251(options.lastName.value_or("")));
    std::vector<bool> wait(options.inputs.size(), false);
    std::set<std::string> earlierOutputs;
    bool standardInputRead = false;
    for (std::size_t i = 0; i < options.inputs.size(); ++i) {
        const std::string& input = options.inputs[i];
        if (input == "-") {
            wait[i] = standardInputRead;
            standardInputRead = true;
        } else if (!earlierOutputs.empty()) {
            wait[i] = earlierOutputs.count(keys.keyOf(input)) > 0;
        }
        // Only the INPUTs after this one can read its book.
        if (i + 1 == options.inputs.size()) break;
        // The book's name: the usual one, or the one its book info proposes.
        std::vector<std::string> targets{outputTarget(options, input, std::nullopt)};
        if (proposed) targets.push_back(outputTarget(options, input, proposed));
        for (const std::string& target : targets)
            if (target != "-") earlierOutputs.insert(keys.keyOf(target));
    }
    return wait;
}

}  // namespace vellumar::cli
