#include "schema/Layouts.h"

#include <QHash>

#include "db/Error.h"

namespace velthorn::schema {

std::vector<Word> ParseWords(const QString& list) {
    static const QHash<QString, Word> kWords = {
        {"0", Word::Zero},
        {"1", Word::One},
        {"True", Word::True},
        {"False", Word::False},
        {"''", Word::Empty},
        {"id", Word::Id},
        {"'kind'", Word::Kind},
        {"'find'", Word::Find},
        {"'number'", Word::Number},
        {"'rkind'", Word::RKind},
        {"'rnumber'", Word::RNumber},
        {"'EName'", Word::EName},
        {"'tkey'", Word::TKey},
        {"'tname'", Word::TName},
        {"'efind'", Word::EFind},
        {"'tfind'", Word::TFind},
        {"'Model'", Word::Model},
        {"'Import'", Word::Import},
        {"'import*'", Word::ImportStar},
        {"Price", Word::Price},
        {"Sale", Word::Sale},
        {"B", Word::Brand},
        {"'full'", Word::Full},
        {"stamp", Word::Stamp},
        {"ownflag", Word::OwnFlag},
        {"differs", Word::Differs},
        {"altflag", Word::AltFlag},
    };
    std::vector<Word> words;
    for (const QString& token : list.split(u',')) {
        const auto it = kWords.constFind(token.trimmed());
        if (it == kWords.constEnd()) {
            throw VelthornError(QStringLiteral("unknown layout word '%1'").arg(token.trimmed()));
        }
        words.push_back(*it);
    }
    return words;
}

bool IsTextWord(Word word) {
    switch (word) {
        case Word::Empty:
        case Word::Kind:
        case Word::Find:
        case Word::Number:
        case Word::RKind:
        case Word::RNumber:
        case Word::EName:
        case Word::TKey:
        case Word::TName:
        case Word::EFind:
        case Word::TFind:
        case Word::Model:
        case Word::Import:
        case Word::ImportStar:
        case Word::Full:
            return true;
        default:
            return false;
    }
}

namespace {

struct LayoutSource {
    Layout layout;
    const char* name;
    const char* words;
    bool searchByFindNumber;
    bool compactFind;
    bool findTexts;
    bool priceColumnsOne;
    bool altSale;
};

// clang-format off
const LayoutSource kLayouts[] = {
    {Layout::V31, "V31", "0, id, 'kind', 'find', 'number', 'rkind', 'rnumber', '', 'EName', 'tkey', 'tname', '', 'Model', '', 'import*', '', Price, 0, Sale, 0, True, False, '', 0, 0, 0, 0, 0, B, 0, 0, 'full', 0, 0, 0, 0, 0, 0, 0",
     false, false, false, false, false},
    {Layout::V33, "V33", "0, id, 'kind', 'find', 'number', 'rkind', 'rnumber', '', 'EName', 'tkey', 'tname', '', 'Model', '', 'Import', '', Price, 0, Sale, 0, True, False, False, '', 0, 0, 0, 0, 0, B, 0, 0, 'full', 0, 0, 0, 0, 0, 0, 0",
     false, false, false, false, false},
    {Layout::V34, "V34", "0, id, 'kind', 'find', 'number', 'rkind', 'rnumber', '', 'EName', 'tkey', 'tname', '', 'Model', '', 'Import', '', Price, 0, Sale, 0, 0, 0, 0, ownflag, differs, '', 0, 0, 0, 0, 0, B, 0, 0, 'full', 0, 0, 0, 0, 0, 0, 0",
     false, false, false, false, false},
    {Layout::V42, "V42", "0, id, 'kind', 'find', 'number', 'rkind', 'rnumber', '', 'EName', 'tkey', 'tname', '', 'Model', '', 'Import', '', Price, 0, Sale, 0, 0, 0, True, False, '', 0, 0, 0, 0, 0, B, 0, 0, 'full', 0, 0, 0, 0, 0, 0, 0",
     false, false, false, false, false},
    {Layout::V43, "V43", "0, id, 'kind', 'find', 'number', 'rkind', 'rnumber', '', 'EName', 'tkey', 'tname', '', 'Model', '', 'Import', '', Price, 0, Sale, 0, 0, 0, 0, True, False, '', 0, 0, 0, 0, 0, B, 0, 0, 'full', 0, 0, 0, 0, 0, 0, 0",
     false, false, false, false, false},
    {Layout::V45, "V45", "0, id, 'kind', 'find', 'number', 'rkind', 'rnumber', '', 'EName', 'tkey', 'tname', '', 'Model', '', '', 'Import', '', Price, 0, Sale, 0, True, False, '', 0, 0, 0, 0, 0, B, 0, 0, 'full', 0, 0, 0, 0, 0, 0, 0",
     false, false, false, false, false},
    {Layout::V46, "V46", "0, id, 'kind', 'find', 'number', 'rkind', 'rnumber', '', 'EName', 'tkey', 'tname', '', 'Model', '', 'Import', '', Price, 0, Sale, 0, True, False, '', '', 0, 0, 0, 0, 0, B, 0, 0, 'full', 0, 0, 0, 0, 0, 0, 0, stamp",
     false, false, false, false, false},
    {Layout::P43, "P43", "0, id, 'kind', 'find', 'number', 'rkind', 'rnumber', '', 'EName', 'tkey', 'tname', '', 'Model', '', 'Import', '', Price, 0, 0, 0, Sale, 0, 0, 0, True, False, '', 0, 0, 0, 0, 0, B, 0, 0, 'full', 0, 0, 0, 0, 0, 0, 0",
     false, false, false, false, false},
    {Layout::P44, "P44", "0, id, 'kind', 'find', 'number', 'rkind', 'rnumber', '', 'EName', 'tkey', 'tname', '', 'Model', '', 'import*', '', Price, 0, Sale, 0, 0, 0, 0, True, False, '', 0, 0, 0, 0, 0, B, 0, 0, 'full', 0, 0, 0, 0, 0, 0, 0",
     false, false, false, false, false},
    {Layout::P45, "P45", "0, id, 'kind', 'find', 'number', 'rkind', 'rnumber', '', 'number', 'EName', 'tkey', 'tname', '', 'Model', '', 'Import', Price, 0, 0, 0, Sale, 0, 0, 0, 0, 0, 0, '', '', '', '', 0, 0, 0, 0, 0, B, 0, 0, 'full', 0, 0, 0, 0, 0, 0, 0",
     true, false, false, true, false},
    {Layout::P46, "P46", "0, id, 'kind', 'find', 'number', 'rkind', 'rnumber', '', 'EName', 'tkey', 'tname', '', 'Model', '', 'Import', '', Price, '', Sale, '', 0, 0, 0, True, False, '', 0, 0, 0, 0, 0, B, 0, 0, 'full', 0, 0, 0, 0, 0, 0, 0",
     false, false, false, false, false},
    {Layout::P48, "P48", "0, id, 'kind', 'find', 'number', 'number', 'rkind', 'rnumber', '', 'EName', 'tkey', 'tname', '', 'Model', '', 'Import', '', Price, '', Sale, '', 0, 0, 0, True, False, '', 0, 0, 0, 0, 0, B, 0, 0, 'full', 0, 0, 0, 0, 0, 0, 0",
     true, true, false, false, false},
    {Layout::P49, "P49", "altflag, id, 'kind', 'find', 'number', 'number', 'rkind', 'rnumber', '', 'EName', 'tkey', 'tname', '', 'Model', '', 'Import', '', Price, '', Sale, '', '', 1, 0, 0, 0, 0",
     true, true, false, false, true},
    {Layout::P52, "P52", "0, id, 'kind', 'find', 'number', 'rkind', 'rnumber', '', 'efind', 'EName', 'tfind', 'tname', '', 'Model', '', 'Import', Price, 0, Sale, 0, 0, '', 0, 0, 0, 0, '', 0, B, 0, 0, 'full', 0, 0, 0, 0, 0, 0",
     false, false, true, false, false},
    {Layout::P61, "P61", "0, id, 'kind', 'find', 'number', 'rkind', 'rnumber', '', 'EName', 'tkey', 'tname', '', 'Model', '', 'Import', '', Price, '', Sale, '', 0, 0, 0, 1, 0, '', 0, 0, 0, 0, 0, B, 0, 0, 'full', 0, 0, 0, 0, 0, 0, 0",
     false, false, false, false, false},
    {Layout::P64, "P64", "0, 0, id, 'kind', 'find', 'number', 'rkind', 'rnumber', '', '', 'efind', 'EName', 'tfind', 'tname', '', 'Model', '', 'Import', Price, 0, Sale, 0, 0, '', 0, 0, 0, 0, 0, '', '', 0, 0, 0, '', ''",
     true, false, true, false, false},
};
// clang-format on

std::vector<LayoutInfo> BuildLayouts() {
    std::vector<LayoutInfo> layouts;
    for (const LayoutSource& source : kLayouts) {
        layouts.push_back({source.layout, QString::fromLatin1(source.name),
                           ParseWords(QString::fromLatin1(source.words)), source.searchByFindNumber,
                           source.compactFind, source.findTexts, source.priceColumnsOne,
                           source.altSale});
    }
    return layouts;
}

}  // namespace

const std::vector<LayoutInfo>& AllLayouts() {
    static const std::vector<LayoutInfo> layouts = BuildLayouts();
    return layouts;
}

const LayoutInfo& GetLayout(Layout layout) {
    return AllLayouts().at(static_cast<size_t>(layout));
}

}  // namespace velthorn::schema
