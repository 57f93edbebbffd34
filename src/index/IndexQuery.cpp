#include "index/IndexQuery.h"

#include "format/FileDescriptor.h"
#include "format/NoteTextScanner.h"
#include "format/ReusedFileBuffer.h"
#include "index/IndexContent.h"
#include "index/OrderedParallelWork.h"
#include "index/QueryMemo.h"
#include "index/ShownText.h"
#include "index/TextMatcher.h"
#include "index/TextTokenizer.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <fcntl.h>

namespace {

// What the index says of one term.
struct TermDocs
{
    DocSet docs; // the notes whose shown text hits it, or candidates for it
    bool exactShown = false; // docs is exactly the notes whose shown text hits the term
};

std::string_view View(const QByteArray& bytes)
{
    return std::string_view(bytes.constData(), size_t(bytes.size()));
}

DocSet Containing(IndexContent& content, const QByteArray& piece)
{
    if (TextTokenizer::CharCount(View(piece)) <= Vocabulary::kLongestGram) {
        const std::optional<quint32> gram = content.GramNumber(View(piece));
        return gram ? content.Postings(*gram) : DocSet();
    }
    return content.UnionOfPostings(content.Terms().TokensContaining(View(piece)));
}

DocSet Exactly(IndexContent& content, const QByteArray& token)
{
    const std::optional<quint32> id = content.Terms().Find(Vocabulary::Kind::Token, View(token));
    return id ? content.Postings(*id) : DocSet();
}

// The bridges that can hold the run at i, a run of other characters, with the runs beside
// it: the end of the word before (the word itself when whole) joined to the run, joined
// to the start of the word after. The run is the end of its bridge's run when it is the
// term's first, its start when the last, and all of it between.
std::string BridgePattern(const std::vector<TextTokenizer::Run>& runs, size_t i)
{
    std::string pattern;
    if (i > 0)
        pattern.append(TextTokenizer::Tail(View(runs[i - 1].folded), TextTokenizer::kBridgeEnd));
    if (i > 0)
        pattern.push_back(TextTokenizer::kJoint);
    pattern.append(View(runs[i].folded));
    if (i + 1 < runs.size()) {
        pattern.push_back(TextTokenizer::kJoint);
        pattern.append(TextTokenizer::Head(View(runs[i + 1].folded), TextTokenizer::kBridgeEnd));
    }
    return pattern;
}

// Whether the bridges alone settle the term: one run of other characters, and the words
// beside it (the term's first and last runs, which only end and start words) short enough
// to lie in the bridges whole.
bool BridgeSettles(const std::vector<TextTokenizer::Run>& runs, bool wholeWord)
{
    if (wholeWord || runs.size() > 3 || (runs.size() == 3 && runs[1].word))
        return false;
    for (const TextTokenizer::Run& run : runs) {
        if (run.word && TextTokenizer::CharCount(View(run.folded)) > TextTokenizer::kBridgeEnd)
            return false;
    }
    return true;
}

// A term reaching across runs. Its runs of other characters lie in bridges with the words
// beside them; and the first run ends a token, the last starts one, and those between
// are whole tokens (a quoted term's outer runs of word characters are whole too).
TermDocs AcrossRuns(IndexContent& content, const std::vector<TextTokenizer::Run>& runs, bool wholeWord)
{
    TermDocs term;
    const Vocabulary& terms = content.Terms();
    bool first = true;
    const auto narrow = [&](DocSet docs) {
        if (first)
            term.docs = std::move(docs);
        else
            term.docs &= docs;
        first = false;
    };
    for (size_t i = 0; i < runs.size() && (first || !term.docs.IsEmpty()); ++i) {
        if (!runs[i].word)
            narrow(content.UnionOfPostings(terms.BridgesContaining(BridgePattern(runs, i))));
    }
    term.exactShown = BridgeSettles(runs, wholeWord);
    if (term.exactShown)
        return term;
    for (size_t i = 0; i < runs.size() && !term.docs.IsEmpty(); ++i) {
        const TextTokenizer::Run& run = runs[i];
        const bool firstRun = i == 0;
        const bool lastRun = i + 1 == runs.size();
        if (!run.word)
            continue; // its bridges hold all of it
        if ((!firstRun && !lastRun) || wholeWord)
            narrow(Exactly(content, run.folded));
        else if (TextTokenizer::CharCount(View(run.folded)) <= TextTokenizer::kBridgeEnd)
            continue; // so does the bridge beside it: ends and starts of words are all there
        else if (firstRun)
            narrow(content.UnionOfPostings(terms.TokensEndingWith(View(run.folded))));
        else
            narrow(content.UnionOfPostings(terms.TokensStartingWith(View(run.folded))));
    }
    return term;
}

TermDocs LookUp(IndexContent& content, const QString& body, bool wholeWord)
{
    TermDocs term;
    if (body.isEmpty()) { // never a hit
        term.exactShown = true;
        return term;
    }
    if (!QStringView(body).isValidUtf16()) {
        // Half a character pair matches half of one in the text, which no token shows:
        // every note is a candidate.
        term.docs = content.Live();
        return term;
    }
    const std::vector<TextTokenizer::Run> runs = TextTokenizer::Runs(body);
    if (runs.size() == 1) {
        const TextTokenizer::Run& run = runs.front();
        // A quoted run of other characters must still have words or nothing beside it:
        // that is confirmed on the text.
        term.exactShown = run.word || !wholeWord;
        term.docs = run.word && wholeWord ? Exactly(content, run.folded) : Containing(content, run.folded);
        return term;
    }
    return AcrossRuns(content, runs, wholeWord);
}

// A note file whose records must be read to confirm some of its notes.
struct FileToRead
{
    QString path;
    const IndexedFile* file = nullptr;
    std::vector<quint32> docs; // the documents to confirm
};

// What reading one such file found: each note confirmed, with its shown text.
struct FileRead
{
    struct Note
    {
        quint32 doc = 0;
        quint64 digest = 0;
        QString shown;
        bool matches = false;
    };
    bool ok = false; // false: the file is not as the index read it
    std::vector<Note> notes;
};

// Reads the records of notes to confirm them, on a thread of its own (the rules change
// nothing): each record's own bytes, where the index found them, in a file that still
// has the stamp it had then.
class ConfirmReader
{
public:
    void Read(const FileToRead& item, const TextMatcher& rules, FileRead* read)
    {
        *read = FileRead();
        const IndexedFile& file = *item.file;
        // The file opened must be the one the index read, and stay so while it is read;
        // one put in its place meanwhile is the next Refresh's.
        const FileDescriptor opened(::open(QFile::encodeName(item.path).constData(), O_RDONLY | O_CLOEXEC));
        if (opened.Get() < 0 || FileStamp::OfOpen(opened.Get()) != file.stamp)
            return;
        for (const IndexedDoc& doc : file.docs) {
            if (std::find(item.docs.begin(), item.docs.end(), doc.doc) == item.docs.end())
                continue;
            NoteTextScanner::Span span;
            if (!ReadFileRange(opened.Get(), doc.diskStart, doc.diskEnd - doc.diskStart, m_disk)
                || !m_scanner.ScanRecord(m_disk, file.version, &span) || span.noteId != doc.noteId)
                return;
            FileRead::Note& note = read->notes.emplace_back();
            note.doc = doc.doc;
            note.digest = doc.textDigest;
            if (span.richTextLength > 0) {
                note.shown = ShownTextOfStoredRtf(span.richText, span.richTextLength);
                note.matches = rules.ShownTextMatches(note.shown);
            }
        }
        // Written to meanwhile: what was read may be neither the old text nor the new one.
        read->ok = FileStamp::OfOpen(opened.Get()) == file.stamp;
    }

private:
    QByteArray m_disk;
    NoteTextScanner m_scanner;
};

// Tests the unsettled candidates on their shown texts: those the memo holds, and the rest
// on their records in their note files, read on two threads; false when a file is not as
// the index read it.
bool Confirm(const IndexContent& content, const TextMatcher& rules, const QString& notesFolder,
             const DocSet& unsettled, QueryMemo* memo, IndexQuery::Answer* answer)
{
    if (unsettled.IsEmpty())
        return true;
    const QDir folder(notesFolder);
    const QHash<QString, IndexedFile>& files = content.Files();
    std::vector<FileToRead> toRead;
    for (auto file = files.cbegin(); file != files.cend(); ++file) {
        FileToRead item;
        for (const IndexedDoc& doc : file->docs) {
            if (!unsettled.Contains(doc.doc))
                continue;
            if (const QString* known = memo ? memo->ShownText(doc.textDigest) : nullptr) {
                ++answer->confirmed;
                if (rules.ShownTextMatches(*known))
                    answer->matches.Add(doc.doc);
            } else {
                item.docs.push_back(doc.doc);
            }
        }
        if (item.docs.empty())
            continue;
        item.path = folder.filePath(file.key());
        item.file = &*file;
        toRead.push_back(std::move(item));
    }
    OrderedParallelWork<ConfirmReader, FileRead> reads(
        toRead.size(),
        [&](ConfirmReader& reader, size_t i, FileRead& read) { reader.Read(toRead[i], rules, &read); });
    while (const FileRead* read = reads.Next()) {
        if (!read->ok)
            return false;
        for (const FileRead::Note& note : read->notes) {
            ++answer->confirmed;
            if (memo)
                memo->RememberShownText(note.digest, note.shown);
            if (note.matches)
                answer->matches.Add(note.doc);
        }
    }
    return true;
}

} // namespace

std::optional<IndexQuery::Answer> IndexQuery::Find(IndexContent& content, const TextMatcher& rules,
                                                   const QString& notesFolder, QueryMemo* memo)
{
    QueryMemo::Key key;
    if (memo) {
        key = QueryMemo::KeyOf(rules);
        if (const DocSet* same = memo->Same(key))
            return Answer {*same, 0};
    }
    const bool all = rules.Op() == TextMatcher::And;
    // Candidates, and the notes settled without reading their texts: those of the terms
    // whose notes the index knows exactly.
    DocSet candidates;
    DocSet exact;
    bool allExact = true;
    for (int i = 0; i < rules.TermCount(); ++i) {
        const TermDocs term = LookUp(content, rules.TermBody(i), rules.IsWholeWord(i));
        allExact = allExact && term.exactShown;
        if (i == 0)
            candidates = term.docs;
        else if (all)
            candidates &= term.docs;
        else
            candidates |= term.docs;
        if (!all && term.exactShown)
            exact |= term.docs; // a hit of one term settles an OR
    }
    candidates &= content.Live();
    if (const DocSet* wider = memo ? memo->Wider(key) : nullptr)
        candidates &= *wider; // typing on: the notes of a term this one holds
    const DocSet settled = all ? (allExact ? candidates : DocSet()) : exact & candidates;

    Answer answer;
    answer.matches = settled;
    if (content.Failed() || !Confirm(content, rules, notesFolder, candidates - settled, memo, &answer))
        return std::nullopt;
    if (memo)
        memo->Remember(std::move(key), answer.matches);
    return answer;
}
