// Find numbers, Thai search keys, brand find-number rules, the date stamp and the tolerant
// 16-bit conversion.
#include <gtest/gtest.h>

#include <QDate>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <ostream>
#include <vector>

#include "db/Error.h"
#include "keys/BrandRules.h"
#include "keys/FindNumbers.h"
#include "keys/mduDate.h"
#include "keys/mduValue.h"
#include "support/TestSupport.h"

namespace {

using velthorn::VelthornError;
using velthorn::keys::MakeBrandFindNO;
using velthorn::keys::MakeFindNO;
using velthorn::keys::MakeFindNO_ISUZU;
using velthorn::keys::MakeFindNO_NISSAN;
using velthorn::keys::MakeThaiFind;

// ---------------------------------------------------------------------------------------------
// Find numbers drop blanks, slashes and hyphens; nothing else.

struct FindCase {
    const char16_t* input;
    const char16_t* expected;
    const char* note;
};

TEST(MakeFindNO, DropsBlanksSlashesAndHyphensOnly) {
    const std::vector<FindCase> cases = {
        {u"  12-34 5/6  ", u"123456", "trimmed, then blank, slash and hyphen removed"},
        {u"AB.12(3)", u"AB.12(3)", "dots and brackets stay"},
        {u"ab-1", u"ab1", "letter case unchanged"},
        {u"-/ - /", u"", "two hyphens, two slashes, two blanks: nothing left"},
        {u"--//  ", u"", "all removable characters in runs"},
        {u"", u"", "empty text"},
        {u"1  2//3--4", u"1234", "runs of the same character are all cut"},
        {u"12\u201334", u"12\u201334", "an en dash is not a hyphen"},
        {u"12\u2014\u221234", u"12\u2014\u221234", "em dash and minus sign stay"},
        {u"12\t34", u"12\t34", "a tab is not a blank"},
        {u"\t12-34\t", u"\t1234\t", "tabs at the ends are not trimmed"},
        {u"A\u00A0B C", u"A\u00A0BC", "a no-break space is not a blank"},
        {u"\\12_34\\", u"\\12_34\\", "backslash and underscore stay"},
        {u"\u0E01-\u0E02 /\u0E03", u"\u0E01\u0E02\u0E03", "Thai letters keep their order"},
    };
    for (const FindCase& c : cases) {
        SCOPED_TRACE(c.note);
        EXPECT_EQ(MakeFindNO(QString::fromUtf16(c.input)), QString::fromUtf16(c.expected));
    }
}

TEST(MakeFindNO, LeavesItsArgumentUnchanged) {
    const QString number = QStringLiteral(" 12-34 5/6 ");
    const QString copy = number;
    EXPECT_EQ(MakeFindNO(number), QStringLiteral("123456"));
    EXPECT_EQ(number, copy);
}

// ---------------------------------------------------------------------------------------------
// Thai search keys: a leading vowel trades places with the character after it.

TEST(MakeThaiFind, MovesLeadingVowelsBehindTheNextCharacter) {
    const std::vector<FindCase> cases = {
        {u"\u0E40\u0E01", u"\u0E01\u0E40", "one swap"},
        {u"\u0E44\u0E01\u0E40\u0E02", u"\u0E01\u0E44\u0E02\u0E40",
         "two swaps; the scan resumes behind the first pair"},
        {u"\u0E01\u0E40", u"\u0E01\u0E40", "a vowel in the last position is never tested"},
        {u"\u0E40\u0E40\u0E01", u"\u0E40\u0E40\u0E01",
         "the second vowel is moved forward and not tested again"},
        {u"\u0E41\u0E40\u0E01", u"\u0E40\u0E41\u0E01",
         "a different vowel moved forward is not tested either"},
        {u"\u0E01", u"\u0E01", "one character"},
        {u"\u0E40", u"\u0E40", "a lone vowel"},
        {u"", u"", "empty text"},
        {u"\u0E41\u0E01", u"\u0E01\u0E41", "sara ae"},
        {u"\u0E42\u0E01", u"\u0E01\u0E42", "sara o"},
        {u"\u0E43\u0E01", u"\u0E01\u0E43", "sara ai maimuan"},
        {u"\u0E44\u0E01", u"\u0E01\u0E44", "sara ai maimalai"},
        {u"\u0E40\u0E01\u0E48\u0E32", u"\u0E01\u0E40\u0E48\u0E32",
         "tone marks and following vowels stay in place"},
        {u"\u0E2D\u0E30\u0E44\u0E2B\u0E25\u0E48", u"\u0E2D\u0E30\u0E2B\u0E44\u0E25\u0E48",
         "a vowel in the middle of a word"},
        {u"  \u0E40\u0E01  ", u"\u0E01\u0E40", "leading and trailing blanks are removed"},
        {u"\u0E40\u0E01 \u0E44\u0E02", u"\u0E01\u0E40 \u0E02\u0E44", "inner blanks stay"},
        {u"\u0E40 \u0E01", u" \u0E40\u0E01", "a vowel before an inner blank trades places with it"},
        {u"\u0E40AB \u0E44C", u"A\u0E40B C\u0E44", "mixed Thai and Latin text"},
        {u"X\u0E401", u"X1\u0E40", "a vowel swaps with a digit"},
        {u"\u0E40-1", u"-\u0E401", "a vowel swaps with a hyphen"},
        {u"BOLT M10", u"BOLT M10", "Latin text without vowels is unchanged"},
        {u"\u0E40\U0001F600", u"\U0001F600\u0E40",
         "positions count characters, also outside the basic plane"},
        {u"\t\u0E40\u0E01", u"\t\u0E01\u0E40", "a tab is not trimmed"},
    };
    for (const FindCase& c : cases) {
        SCOPED_TRACE(c.note);
        EXPECT_EQ(MakeThaiFind(QString::fromUtf16(c.input)), QString::fromUtf16(c.expected));
    }
}

TEST(MakeThaiFind, AcceptsTextsUpTo32767Characters) {
    const QChar koKai(0x0E01);
    const QChar saraE(0x0E40);
    const QString body = QString(saraE) + QString(32766, koKai);
    ASSERT_EQ(body.size(), 32767);
    const QString expected = QString(koKai) + QString(saraE) + QString(32765, koKai);

    EXPECT_EQ(MakeThaiFind(body), expected);
    // The limit counts the text after trimming.
    EXPECT_EQ(MakeThaiFind(QStringLiteral("   ") + body + QStringLiteral("   ")), expected);
}

TEST(MakeThaiFind, RaisesOnTextsOf32768CharactersOrMore) {
    const QChar koKai(0x0E01);
    for (int length : {32768, 32769, 40000}) {
        SCOPED_TRACE(length);
        EXPECT_THROW(MakeThaiFind(QString(length, koKai)), VelthornError);
    }
}

// ---------------------------------------------------------------------------------------------
// Brand find numbers: the version first, then the brand (exact, case-sensitive, not trimmed).

struct BrandCase {
    const char* brand;
    const char* number;
    const char* version;
    const char* expected;
};

void CheckBrandCases(const std::vector<BrandCase>& cases) {
    for (const BrandCase& c : cases) {
        SCOPED_TRACE(std::string(c.brand) + " / " + c.number + " / " + c.version);
        EXPECT_EQ(MakeBrandFindNO(QString::fromUtf8(c.brand), QString::fromUtf8(c.number),
                                  QString::fromUtf8(c.version)),
                  QString::fromUtf8(c.expected));
    }
}

TEST(MakeBrandFindNO, IsuzuCutsBehindTheFirstDashOrKeepsNineCharacters) {
    CheckBrandCases({
        {"ISUZU", "8-AB12CD34-0", "V.31", "AB12CD34-"},
        {"ISUZU", "AB12CD34EF56G", "V.31", "AB12CD34E"},
        {"ISUZU", "--12", "V.31", "-12"},
        {"ISUZU", "8-12", "P.52", "12"},
        {"ISUZU", "12-34567890123", "V.31", "12-345678"},  // second character is no dash
        {"ISUZU", "AB12", "V.31", "AB12"},                 // shorter than nine
        {"ISUZU", "-", "V.31", ""},                        // the one character is the dash
        {"ISUZU", "A", "V.31", "A"},
        {"ISUZU", "", "V.31", ""},
    });
}

TEST(MakeBrandFindNO, NissanAndUdCutToNineWhenTheSixthCharacterIsADash) {
    CheckBrandCases({
        {"NISSAN", "AB12C-34DE5", "V.31", "AB12C-34D"},
        {"NISSAN", "AB12C34DE5", "V.31", "AB12C34DE5"},
        {"NISSAN", "AB-", "V.31", "AB-"},        // shorter: its last character counts
        {"NISSAN", "AB-1", "V.31", "AB-1"},      // shorter, last character no dash
        {"NISSAN", "ABCDE-", "V.31", "ABCDE-"},  // exactly six characters
        {"NISSAN", "A B/C D-1234", "V.31", "A B/C D-1234"},
        {"NISSAN", "", "V.31", ""},
        {"UD", "AB12C-34DE5", "V.31", "AB12C-34D"},
        {"UD", "AB12C34DE5", "V.31", "AB12C34DE5"},
        {"UD", "AB-", "P.61 (Bar)", "AB-"},
    });
}

TEST(MakeBrandFindNO, BenzTakesTheCompactNumberAndOtherBrandsNothing) {
    CheckBrandCases({
        {"BENZ", "A 000 123/45-67", "V.31", "A0001234567"},
        {"BENZ", "A 000 123/45-67", "P.52", "A0001234567"},
        {"DAIHATSU", "AB12C-34DE5", "V.31", ""},
        {"DAIHATSU", "8-AB12CD34-0", "V.31", ""},
        {"DAIHATSU", "A 000 123/45-67", "P.62 (Bar)", ""},
        {"UD_VOLVO", "AB12C-34DE5", "V.31", ""},
        {"TOYOTA", "AB12C-34DE5", "V.31", ""},
        {"", "AB12C-34DE5", "V.31", ""},
    });
}

TEST(MakeBrandFindNO, BrandIsComparedExactlyAndCaseSensitively) {
    CheckBrandCases({
        {"isuzu", "8-AB12CD34-0", "V.31", ""},
        {"Isuzu", "8-AB12CD34-0", "V.31", ""},
        {"nissan", "AB12C-34DE5", "V.31", ""},
        {"Nissan", "AB12C-34DE5", "V.31", ""},
        {"ud", "AB12C-34DE5", "V.31", ""},
        {"Ud", "AB12C-34DE5", "V.31", ""},
        {"benz", "A 000 123/45-67", "V.31", ""},
        {" ISUZU", "8-AB12CD34-0", "V.31", ""},
        {"ISUZU ", "8-AB12CD34-0", "V.31", ""},
        {"UD ", "AB12C-34DE5", "V.31", ""},
        {" BENZ", "A 000 123/45-67", "V.31", ""},
    });
}

TEST(MakeBrandFindNO, FindNumberVersionsGiveTheCompactNumberForEveryBrand) {
    const char* const brands[] = {"ISUZU",    "NISSAN",   "UD",    "BENZ",
                                  "DAIHATSU", "UD_VOLVO", "isuzu", ""};
    const char* const versions[] = {"P.45 (Bar)", "P.48 (Bar)",  "P.49 (Bar)",  "P.64 (Bar)",
                                    "P.65 (Bar)", " P.45 (Bar)", "P.64 (Bar)  "};
    std::vector<BrandCase> cases;
    for (const char* brand : brands) {
        for (const char* version : versions) {
            cases.push_back({brand, "8-AB12CD34-0", version, "8AB12CD340"});
            cases.push_back({brand, "AB12C-34DE5", version, "AB12C34DE5"});
        }
    }
    CheckBrandCases(cases);
}

TEST(MakeBrandFindNO, OtherVersionsAndNearMissesFollowTheBrand) {
    CheckBrandCases({
        // Versions outside the five, or not equal to them exactly, leave the choice to the brand.
        {"ISUZU", "8-AB12CD34-0", "P.52", "AB12CD34-"},
        {"ISUZU", "8-AB12CD34-0", "P.61 (Bar)", "AB12CD34-"},
        {"ISUZU", "8-AB12CD34-0", "p.45 (bar)", "AB12CD34-"},
        {"ISUZU", "8-AB12CD34-0", "P.45(Bar)", "AB12CD34-"},
        {"ISUZU", "8-AB12CD34-0", "", "AB12CD34-"},
        {"NISSAN", "AB12C-34DE5", "P.46 (Bar)", "AB12C-34D"},
        {"DAIHATSU", "AB12C-34DE5", "P.48(Bar)", ""},
        {"DAIHATSU", "AB12C-34DE5", "V.46 (Bar)", ""},
    });
}

TEST(BrandRules, IsuzuAndNissanRulesDirectly) {
    EXPECT_EQ(MakeFindNO_ISUZU(QStringLiteral("8-AB12CD34-0")), QStringLiteral("AB12CD34-"));
    EXPECT_EQ(MakeFindNO_ISUZU(QStringLiteral("--12")), QStringLiteral("-12"));
    EXPECT_EQ(MakeFindNO_ISUZU(QStringLiteral("AB12CD34EF56G")), QStringLiteral("AB12CD34E"));
    EXPECT_EQ(MakeFindNO_NISSAN(QStringLiteral("AB12C-34DE5")), QStringLiteral("AB12C-34D"));
    EXPECT_EQ(MakeFindNO_NISSAN(QStringLiteral("AB12C34DE5")), QStringLiteral("AB12C34DE5"));
    // Characters count as whole characters, not UTF-16 units.
    EXPECT_EQ(MakeFindNO_ISUZU(QString::fromUtf16(u"\U0001F600-123456789012")),
              QStringLiteral("123456789"));
    EXPECT_EQ(MakeFindNO_NISSAN(QString::fromUtf16(u"\U0001F600BCDE-123456")),
              QString::fromUtf16(u"\U0001F600BCDE-123"));
}

// ---------------------------------------------------------------------------------------------
// The date stamp: day/month/Buddhist year, and that text as yyyymmdd.

struct ThaiDateCase {
    QDate date;
    const char* text;
    int32_t number;
};

TEST(MduDate, ThaiDateTextAddsTheBuddhistEraAndNoLeadingZeros) {
    const std::vector<ThaiDateCase> cases = {
        {QDate(2024, 1, 1), "1/1/2567", 25670101},     {QDate(2023, 3, 10), "10/3/2566", 25660310},
        {QDate(1999, 12, 31), "31/12/2542", 25421231}, {QDate(2000, 2, 29), "29/2/2543", 25430229},
        {QDate(2025, 10, 5), "5/10/2568", 25681005},
    };
    for (const ThaiDateCase& c : cases) {
        SCOPED_TRACE(c.text);
        const QString text = velthorn::mduDate::ThaiDateText(c.date);
        EXPECT_EQ(text, QString::fromLatin1(c.text));
        EXPECT_EQ(velthorn::mduDate::DateTextToLong(text), c.number);
    }
}

struct DateTextCase {
    const char* text;
    int16_t day, month, year;
    int32_t number;
};

TEST(MduDate, DateTextToLongJoinsYearMonthAndDay) {
    const std::vector<DateTextCase> cases = {
        {"31/12/2567", 31, 12, 2567, 25671231},
        {"1/1/2567", 1, 1, 2567, 25670101},
        {"5/10/2568", 5, 10, 2568, 25681005},
        {"/3/2567", 0, 0, 2567, 25670000},  // no day before the first slash: no month either
        {"10/3", 10, 0, 0, 10},             // one slash: joined text 00010
        {"25670310", 0, 0, 0, 0},           // no slash: joined text 00000
        {"", 0, 0, 0, 0},
        {"a/3/2567", 0, 3, 2567, 25670300},  // a part that is not numeric counts as 0
        {"10/x/2567", 10, 0, 2567, 25670010},
        {"10/3/y", 10, 3, 0, 310},
        {"10//2567", 10, 0, 2567, 25670010},  // empty month; the year needs only the two slashes
        {"//2567", 0, 0, 2567, 25670000},
        {"1/2/3/4", 1, 2, 0, 201},  // the year is all the text after the second slash
    };
    for (const DateTextCase& c : cases) {
        SCOPED_TRACE(c.text);
        const QString text = QString::fromLatin1(c.text);
        EXPECT_EQ(velthorn::mduDate::DayFromText(text), c.day);
        EXPECT_EQ(velthorn::mduDate::MonthFromText(text), c.month);
        EXPECT_EQ(velthorn::mduDate::YearFromText(text), c.year);
        EXPECT_EQ(velthorn::mduDate::DateTextToLong(text), c.number);
    }
}

TEST(MduDate, NegativeDayOrMonthAndOversizedPartsRaise) {
    for (const char* text :
         {"-5/3/2567", "5/-3/2567", "-1/-1/2567", "1/1/40000", "40000/1/2567", "1/32768/2567"}) {
        SCOPED_TRACE(text);
        EXPECT_THROW(velthorn::mduDate::DateTextToLong(QString::fromLatin1(text)), VelthornError);
    }
}

// ---------------------------------------------------------------------------------------------
// NumericToInteger: numbers and numeric text round half to even; anything else is 0.

struct IntegerCase {
    QVariant value;
    int16_t expected;
    const char* note;
};

TEST(MduValue, NumericToIntegerConvertsNumbersAndNumericText) {
    const std::vector<IntegerCase> cases = {
        {QVariant(42), 42, "int"},
        {QVariant(-7), -7, "negative int"},
        {QVariant(qlonglong(32767)), 32767, "largest"},
        {QVariant(-32768), -32768, "smallest"},
        {QVariant(2.5), 2, "half rounds to even (down)"},
        {QVariant(3.5), 4, "half rounds to even (up)"},
        {QVariant(0.5), 0, "half of one rounds to zero"},
        {QVariant(1.5), 2, "1.5 rounds to 2"},
        {QVariant(-2.5), -2, "negative half rounds to even"},
        {QVariant(-3.5), -4, "negative half rounds to even, away"},
        {QVariant(2.4999), 2, "below half"},
        {QVariant(2.5001), 3, "above half"},
        {QVariant(-32768.5), -32768, "rounds to even inside the range"},
        {QVariant(32767.4), 32767, "rounds down into the range"},
        {QVariant(QStringLiteral("12")), 12, "numeric text"},
        {QVariant(QStringLiteral("-12")), -12, "negative numeric text"},
        {QVariant(QStringLiteral("2.5")), 2, "numeric text rounds half to even"},
        {QVariant(QStringLiteral("3.5")), 4, "numeric text rounds half to even"},
        {QVariant(QStringLiteral("007")), 7, "leading zeros"},
        {QVariant(QStringLiteral(" 12 ")), 12, "blanks around a number"},
        {QVariant(QStringLiteral("abc")), 0, "letters"},
        {QVariant(QStringLiteral("12abc")), 0, "number followed by letters"},
        {QVariant(QStringLiteral("")), 0, "empty text"},
        {QVariant(QStringLiteral("-")), 0, "a lone minus"},
        {QVariant(QStringLiteral("3/4")), 0, "a fraction with a slash"},
        {QVariant(), 0, "no value"},
    };
    for (const IntegerCase& c : cases) {
        SCOPED_TRACE(c.note);
        EXPECT_EQ(velthorn::mduValue::NumericToInteger(c.value), c.expected);
    }
}

TEST(MduValue, NumericToIntegerRaisesOutsideTheSixteenBitRange) {
    const std::vector<QVariant> values = {
        QVariant(32768),
        QVariant(-32769),
        QVariant(qlonglong(100000)),
        QVariant(32767.5),  // half to even gives 32768
        QVariant(-32769.5),
        QVariant(1e10),
        QVariant(QStringLiteral("40000")),
        QVariant(QStringLiteral("-32769")),
    };
    for (const QVariant& value : values) {
        SCOPED_TRACE(value.toString().toStdString());
        EXPECT_THROW(velthorn::mduValue::NumericToInteger(value), VelthornError);
    }
}

}  // namespace
