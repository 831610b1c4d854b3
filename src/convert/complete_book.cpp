#include "convert/complete_book.h"

#include <iterator>
#include <utility>

#include "base/text_rules.h"
#include "convert/complete_header.h"
#include "convert/complete_walk.h"
#include "convert/genre_names.h"
#include "convert/title_information.h"
#include "convert/title_level_choice.h"
#include "convert/xml_text.h"

namespace vellumar {

namespace {

// A value the source gives (a title, an author) as the user would type it: one line, blanks
// collapsed and trimmed; character references stay references.
std::string plainSourceValue(std::string_view value)
{
    std::string text = straightenLineBreaks(value);
    if (text.find('&') != std::string::npos)
        text = replaceAllText(applyEntityRules(replaceEntityByChar(text, 32, "&nbsp;")), "&amp;", "&");
    for (char& c : text)
        if (c == '\t' || c == '\xA0') c = ' ';
    return std::string(trimControls(collapseSpaceRuns(text)));
}

// What the source says of the title and the author, as the book-info dialog's boxes take it:
// "Jane Austen" is first name "Jane", last name "Austen".
BookInfoAnswers sourceAnswers(const SourceMetadata& source)
{
    BookInfoAnswers answers;
    answers.title = plainSourceValue(source.title);
    const std::string author = plainSourceValue(source.author);
    const std::size_t space = author.rfind(' ');
    if (space == std::string::npos) {
        answers.lastName = author;
    } else {
        answers.firstName = author.substr(0, space);
        answers.lastName = author.substr(space + 1);
    }
    return answers;
}

// The header's title and author: the answers given, the source's own where none is given.
void fillTitleAndAuthor(const ConversionOptions& options, UserInteraction& user, const SourceMetadata& source,
                        CompleteHeaderValues& header, std::optional<std::string>& proposedFileName)
{
    const BookInfoAnswers fromSource = sourceAnswers(source);
    std::optional<BookInfoAnswers> answers;
    if (options.showTitleInfo) answers = user.askBookInfoProposing(fromSource);
    if (answers) proposedFileName = proposedBookFileName(answers->title, answers->firstName, answers->lastName);
    const BookInfoAnswers& title = answers && !answers->title.empty() ? *answers : fromSource;
    const BookInfoAnswers& author =
        answers && (!answers->firstName.empty() || !answers->lastName.empty()) ? *answers : fromSource;
    header.title = escapeXmlValue(title.title.empty() ? std::string_view("Book Title") : title.title);
    header.firstName = escapeXmlValue(author.firstName);
    header.lastName = escapeXmlValue(author.lastName);
}

}  // namespace

std::optional<Fb2Document> writeCompleteBook(std::string sourceText, const ConversionOptions& options,
                                             ConversionServices& services)
{
    PictureConversionScope scope(services.pictures);
    HtmlParser parser;
    parser.parse(std::move(sourceText), [&services](std::string_view message, std::string_view text) {
        services.user.reportTokenizerProblem(message, text);
    });
    if (parser.itemCount() == 0) return std::nullopt;

    const SourceSurvey survey = surveySource(parser);
    const NotePlan notes = findNotes(parser, survey);
    LinkTargets links;
    for (const FoundNote& note : notes.notes) links.reserveId("n" + std::to_string(note.number));
    for (const std::string_view name : survey.linkedNames) {
        const auto anchor = survey.anchors.find(name);
        if (anchor != survey.anchors.end()) links.addTarget(anchor->second, name);
    }

    std::string binaries;
    CompleteContext context{parser, options, services, survey, notes, links, binaries, 0, -1, {}};
    context.titleLevel = options.titleLevel == kTitleLevelAuto ? chooseTitleLevel(survey.headings, survey.textBytes)
                                                               : options.titleLevel;
    std::string body;
    std::string notesBody;
    try {
        if (!options.coverFile.empty()) {
            std::string reference;
            services.pictures.embedPicture(options.coverFile, reference, binaries);
            const std::size_t start = reference.find("\"#");
            if (start != std::string::npos)
                context.coverId = reference.substr(start + 2, reference.find('"', start + 2) - start - 2);
        }
        if (context.coverId.empty())
            context.coverItem = survey.namedCoverPicture >= 0 ? survey.namedCoverPicture : survey.leadingPicture;
        body = collapseSpaceRuns(links.resolveLinks(writeCompleteSections(context)));
        if (!notes.notes.empty()) {
            std::string sections;
            for (const FoundNote& note : notes.notes) sections += writeNoteSection(context, note);
            notesBody = "<body name=\"notes\">\r\n" + collapseSpaceRuns(links.resolveLinks(std::move(sections))) +
                        "</body>\r\n";
        }
    } catch (...) {
        services.pictures.completeBinaries(std::move(binaries));
        throw;
    }
    TextPieces binaryPieces = services.pictures.completeBinaries(std::move(binaries));

    CompleteHeaderValues header;
    Fb2Document doc;
    fillTitleAndAuthor(options, services.user, survey.metadata, header, doc.proposedFileName);
    header.genre = isKnownGenre(options.genre) ? options.genre : std::string(kDefaultGenre);
    header.lang = languageCode(survey.metadata.lang);
    header.coverId = context.coverId;
    header.date = todayDate();
    header.id = randomUuid();
    doc.bodySeen = survey.hasBody;
    doc.pieces.reserve(binaryPieces.size() + 4);
    doc.pieces.push_back(buildCompleteHeader(header) + "<body>\r\n");
    doc.pieces.push_back(std::move(body));
    doc.pieces.push_back("</body>\r\n" + notesBody);
    std::move(binaryPieces.begin(), binaryPieces.end(), std::back_inserter(doc.pieces));
    doc.pieces.push_back("\r\n</FictionBook>");
    return doc;
}

}  // namespace vellumar
