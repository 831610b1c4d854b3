#include "cli/book_claims.h"

#include "cli/input_conversion.h"
#include "files/file_io.h"

namespace vellumar::cli {

namespace {

constexpr std::string_view kStdio = "-";

}  // namespace

BookClaims::BookClaims(const CliOptions& options, PathKeys& keys) : m_keys(keys)
{
    const bool answersName =
        (options.title || options.firstName || options.lastName) && options.output.empty() && options.outputDir.empty();
    m_inputs.reserve(options.inputs.size());
    for (const std::string& input : options.inputs) {
        Input entry;
        if (input != kStdio) entry.key = keys.keyOf(input);
        entry.target = outputTarget(options, input, std::nullopt);
        if (entry.target != kStdio) entry.targetKey = keys.keyOf(entry.target);
        entry.anyTarget = answersName && input != kStdio;
        m_inputs.push_back(std::move(entry));
    }
}

void BookClaims::claim(std::size_t job, const std::string& target, JobTurns& turns, bool refuseEarlier)
{
    if (target == kStdio) return;
    const std::string key = target == m_inputs.at(job).target ? m_inputs[job].targetKey : m_keys.keyOf(target);
    turns.waitForEarlierWhere(job, [&](std::size_t earlier) {
        const Input& other = m_inputs[earlier];
        return other.anyTarget || other.key == key || other.targetKey == key;
    });
    if (!refuseEarlier) return;
    const std::lock_guard lock(m_mutex);
    const auto [at, added] = m_claimed.emplace(key, job);
    if (!added && at->second < job)
        throw FileError("the output '" + target + "' would overwrite the book written before it");
    if (!added) at->second = job;
}

}  // namespace vellumar::cli
