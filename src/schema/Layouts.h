#pragma once
// The sixteen record layouts of new part rows. Each layout is a list of value words, written
// exactly as the layouts were handed to us; one insertion routine renders them per slot.
#include <QString>
#include <vector>

namespace velthorn::schema {

enum class Layout {
    V31,
    V33,
    V34,
    V42,
    V43,
    V45,
    V46,
    P43,
    P44,
    P45,
    P46,
    P48,
    P49,
    P52,
    P61,
    P64
};

// One value word of a layout list.
enum class Word {
    Zero,        // 0
    One,         // 1
    True,        // True (yes)
    False,       // False (no)
    Empty,       // ''
    Id,          // the new part identifier
    Kind,        // 'kind'    the slot's kind code
    Find,        // 'find'    the slot's find number
    Number,      // 'number'  the slot's number
    RKind,       // 'rkind'   replacement kind code in the own row, else ''
    RNumber,     // 'rnumber' replacement number in the own row, else ''
    EName,       // 'EName'
    TKey,        // 'tkey'    Thai search key of the display name
    TName,       // 'tname'   display name
    EFind,       // 'efind'   English find text
    TFind,       // 'tfind'   Thai find text
    Model,       // 'Model'
    Import,      // 'Import'
    ImportStar,  // 'import*' Import in the own and alternate rows, '' in the replacement row
    Price,       // Price
    Sale,        // Sale
    Brand,       // B
    Full,        // 'full'    kind code, "-", number; the number alone without a kind code
    Stamp,       // stamp     date stamp of the call
    OwnFlag,     // ownflag   1 in the own row, else 0
    Differs,     // differs   1 when Price and Sale differ
    AltFlag,     // altflag   1 in the alternate row, else 0
};

struct LayoutInfo {
    Layout layout;
    QString name;             // "V31" ... "P64"
    std::vector<Word> words;  // the part-row values, position 1 first
    bool searchByFindNumber;  // lookups by FPartNO
    bool compactFind;         // find number is MakeFindNO of the number, not the brand rule
    bool findTexts;           // EFind/TFind instead of the Thai search key
    bool priceColumnsOne;     // price pair Price1/Sale1
    bool altSale;             // six-column alternate-price row with ASale
};

const LayoutInfo& GetLayout(Layout layout);
const std::vector<LayoutInfo>& AllLayouts();

// Parses a list such as "0, id, 'kind'" into words; raises on an unknown word.
std::vector<Word> ParseWords(const QString& list);

// True when the word is written between single quotes (a text value).
bool IsTextWord(Word word);

}  // namespace velthorn::schema
