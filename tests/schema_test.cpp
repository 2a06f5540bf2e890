// Amounts, value notation, schema versions, record layouts, table definitions, statement texts
// and the statement shapes handed to the embedded backend.
#include <gtest/gtest.h>

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <cstdint>
#include <limits>
#include <map>
#include <ostream>
#include <vector>

#include "db/Error.h"
#include "db/SqlShape.h"
#include "schema/Currency.h"
#include "schema/Layouts.h"
#include "schema/PartRows.h"
#include "schema/PriceListStatements.h"
#include "schema/ProductStatements.h"
#include "schema/SqlValues.h"
#include "schema/TableDefs.h"
#include "schema/Versions.h"
#include "support/TestSupport.h"

namespace {

using velthorn::VelthornError;
using velthorn::schema::ColumnType;
using velthorn::schema::Currency;
using velthorn::schema::Dialect;
using velthorn::schema::Layout;
using velthorn::schema::PartRowValues;
using velthorn::schema::SlotRole;
using velthorn::schema::Word;
namespace schema = velthorn::schema;
namespace product = velthorn::schema::product;
namespace pricelist = velthorn::schema::pricelist;

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}
Currency Amt(const char* text) {
    return Currency::Parse(QString::fromLatin1(text));
}

// ---------------------------------------------------------------------------------------------
// Amounts: exact ten-thousandths, written as plain decimal text.

struct AmountCase {
    const char* text;
    int64_t units;
    const char* written;
};

TEST(Currency, ParsesPlainDecimalTextExactly) {
    const std::vector<AmountCase> cases = {
        {"125", 1250000, "125"},
        {"99.5", 995000, "99.5"},
        {"99.50", 995000, "99.5"},
        {"0.0001", 1, "0.0001"},
        {"-0.0001", -1, "-0.0001"},
        {"-3.25", -32500, "-3.25"},
        {"100.0000", 1000000, "100"},
        {"100", 1000000, "100"},
        {"0", 0, "0"},
        {"-0", 0, "0"},
        {"0.5", 5000, "0.5"},
        {"12.345", 123450, "12.345"},
        {"1234567.89", 12345678900, "1234567.89"},
        {"1.000000", 10000, "1"},  // zeros beyond the fourth decimal are harmless
        {"922337203685477.5807", std::numeric_limits<int64_t>::max(), "922337203685477.5807"},
        {"-922337203685477.5808", std::numeric_limits<int64_t>::min(), "-922337203685477.5808"},
    };
    for (const AmountCase& c : cases) {
        SCOPED_TRACE(c.text);
        const Currency amount = Amt(c.text);
        EXPECT_EQ(amount.units(), c.units);
        EXPECT_EQ(amount.toString(), QString::fromLatin1(c.written));
    }
}

TEST(Currency, EqualAmountsCompareEqualWhateverTheirNotation) {
    EXPECT_TRUE(Amt("100.0000") == Amt("100"));
    EXPECT_FALSE(Amt("100.0000") != Amt("100"));
    EXPECT_TRUE(Amt("100") != Amt("100.0001"));
    EXPECT_FALSE(Amt("100") == Amt("100.0001"));
    EXPECT_TRUE(Amt("99.5") == Currency::FromUnits(995000));
}

TEST(Currency, RejectsTextThatIsNoExactAmount) {
    for (const char* text : {"1.00001", "0.12345", "-3.25001", "922337203685477.5808",
                             "922337203685478", "-922337203685477.5809", "99999999999999999999", "",
                             "-", "abc", "1,000", "1 000", "12.5.1", "1e3", "12a", "."}) {
        SCOPED_TRACE(text);
        EXPECT_THROW(Currency::Parse(QString::fromLatin1(text)), VelthornError);
    }
}

TEST(Currency, WritesNoTrailingZerosNoGroupingAndAPoint) {
    // The amount text does not follow the default locale.
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const std::vector<std::pair<int64_t, const char*>> cases = {
        {12345678900000, "1234567890"},
        {12345675000, "1234567.5"},
        {5, "0.0005"},
        {-50000, "-5"},
        {10, "0.001"},
        {1000, "0.1"},
        {100010, "10.001"},
    };
    for (const auto& [units, written] : cases) {
        SCOPED_TRACE(written);
        EXPECT_EQ(Currency::FromUnits(units).toString(), QString::fromLatin1(written));
        EXPECT_EQ(schema::Amount(Currency::FromUnits(units)), QString::fromLatin1(written));
    }
    QLocale::setDefault(previous);
}

struct VariantAmountCase {
    QVariant value;
    int64_t units;
    const char* note;
};

TEST(Currency, FromVariantTakesDoublesIntegersAndText) {
    const std::vector<VariantAmountCase> cases = {
        {QVariant(99.5), 995000, "double"},
        {QVariant(0.1), 1000, "double without an exact binary form"},
        {QVariant(19.99), 199900, "double just below its decimal value"},
        {QVariant(-3.25), -32500, "negative double"},
        {QVariant(1.23456), 12346, "double rounded to the nearest ten-thousandth"},
        {QVariant(125), 1250000, "int"},
        {QVariant(qlonglong(-7)), -70000, "long long"},
        {QVariant(0), 0, "zero"},
        {QVariant(QStringLiteral("99.50")), 995000, "text"},
        {QVariant(QStringLiteral("100.0000")), 1000000, "text with zero decimals"},
        {QVariant(QStringLiteral(" 12.5 ")), 125000, "text with blanks around it"},
    };
    for (const VariantAmountCase& c : cases) {
        SCOPED_TRACE(c.note);
        EXPECT_EQ(Currency::FromVariant(c.value).units(), c.units);
    }
}

TEST(Currency, FromVariantRaisesOnNullNonNumbersAndOutOfRange) {
    const std::vector<QVariant> values = {
        QVariant(),
        QVariant(QMetaType::fromType<double>()),
        QVariant(QMetaType::fromType<QString>()),
        QVariant(QStringLiteral("abc")),
        QVariant(QStringLiteral("922337203685478")),
        QVariant(1e20),
        QVariant(-1e20),
        QVariant(qlonglong(std::numeric_limits<int64_t>::max())),
    };
    for (const QVariant& value : values) {
        SCOPED_TRACE(value.toString().toStdString());
        EXPECT_THROW(Currency::FromVariant(value), VelthornError);
    }
}

// ---------------------------------------------------------------------------------------------
// Value notation in statements.

TEST(SqlValues, QuoteDoublesQuotesAndKeepsEverythingElse) {
    const std::vector<std::pair<QString, QString>> cases = {
        {U("abc"), U("'abc'")},        {U(""), U("''")},
        {U("O'Neil"), U("'O''Neil'")}, {U("'"), U("''''")},
        {U("''"), U("''''''")},        {U("a'b'c"), U("'a''b''c'")},
        {U("กข'ค"), U("'กข''ค'")},     {U("a\"b"), U("'a\"b'")},
        {U(" a "), U("' a '")},        {U("12-34 5/6"), U("'12-34 5/6'")},
    };
    for (const auto& [text, quoted] : cases) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(schema::Quote(text), quoted);
    }
}

TEST(SqlValues, NumbersAndYesNoPerDialect) {
    EXPECT_EQ(schema::Num(0), U("0"));
    EXPECT_EQ(schema::Num(-5), U("-5"));
    EXPECT_EQ(schema::Num(2147483647), U("2147483647"));
    EXPECT_EQ(schema::Num(1234567), U("1234567"));

    EXPECT_EQ(schema::YesNo(true, Dialect::File), U("True"));
    EXPECT_EQ(schema::YesNo(false, Dialect::File), U("False"));
    EXPECT_EQ(schema::YesNo(true, Dialect::SqlServer), U("1"));
    EXPECT_EQ(schema::YesNo(false, Dialect::SqlServer), U("0"));
}

// ---------------------------------------------------------------------------------------------
// Schema versions: 25 texts in their order of comparison, each with its record layout.

struct VersionCase {
    const char* text;
    Layout layout;
    bool byFind;     // parts looked up by FPartNO
    bool priceOne;   // Price1/Sale1 in the part table
    bool findTexts;  // EFind/TFind instead of IndTName
    bool altSale;    // six-column alternate-price rows
};

const std::vector<VersionCase>& ExpectedVersions() {
    static const std::vector<VersionCase> versions = {
        {"V.31", Layout::V31, false, false, false, false},
        {"V.32", Layout::V31, false, false, false, false},
        {"V.33", Layout::V33, false, false, false, false},
        {"V.34", Layout::V34, false, false, false, false},
        {"V.41", Layout::V31, false, false, false, false},
        {"V.42", Layout::V42, false, false, false, false},
        {"V.43", Layout::V43, false, false, false, false},
        {"V.45", Layout::V45, false, false, false, false},
        {"V.46 (Bar)", Layout::V46, false, false, false, false},
        {"V.51", Layout::V31, false, false, false, false},
        {"V.61", Layout::V31, false, false, false, false},
        {"P.42", Layout::V31, false, false, false, false},
        {"P.43", Layout::P43, false, false, false, false},
        {"P.44 (Bar)", Layout::P44, false, false, false, false},
        {"P.45 (Bar)", Layout::P45, true, true, false, false},
        {"P.46 (Bar)", Layout::P46, false, false, false, false},
        {"P.47001 (Bar)", Layout::P46, false, false, false, false},
        {"P.48 (Bar)", Layout::P48, true, false, false, false},
        {"P.49 (Bar)", Layout::P49, true, false, false, true},
        {"P.52", Layout::P52, false, false, true, false},
        {"P.61 (Bar)", Layout::P61, false, false, false, false},
        {"P.62 (Bar)", Layout::P46, false, false, false, false},
        {"P.64 (Bar)", Layout::P64, true, false, true, false},
        {"P.65 (Bar)", Layout::P64, true, false, true, false},
        {"D.47 (Bar)", Layout::P46, false, false, false, false},
    };
    return versions;
}

TEST(Versions, TwentyFiveVersionsInOrderWithTheirLayoutAndShape) {
    const auto& actual = schema::SupportedVersions();
    const auto& expected = ExpectedVersions();
    ASSERT_EQ(actual.size(), 25u);
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const VersionCase& e = expected[i];
        SCOPED_TRACE(e.text);
        EXPECT_EQ(actual[i].text, U(e.text));
        EXPECT_EQ(actual[i].layout, e.layout);
        EXPECT_EQ(actual[i].searchByFindNumber(), e.byFind);
        EXPECT_EQ(actual[i].priceColumnsOne(), e.priceOne);
        EXPECT_EQ(actual[i].findTexts(), e.findTexts);
        EXPECT_EQ(actual[i].altSale(), e.altSale);
        const schema::VersionInfo* found = schema::FindVersion(U(e.text));
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->layout, e.layout);
        EXPECT_EQ(schema::RequireVersion(U(e.text)).layout, e.layout);
    }
}

TEST(Versions, ComparedExactlyAfterTrimmingBlanks) {
    const schema::VersionInfo* padded = schema::FindVersion(U("  P.52  "));
    ASSERT_NE(padded, nullptr);
    EXPECT_EQ(padded->text, U("P.52"));
    ASSERT_NE(schema::FindVersion(U(" P.45 (Bar) ")), nullptr);
    EXPECT_EQ(schema::FindVersion(U(" P.45 (Bar) "))->layout, Layout::P45);

    for (const char* text : {"p.52", "P.45(Bar)", "P.45  (Bar)", "P.45 (bar)", "V.30", "", "P.5",
                             "\tP.52", "P.52\t", "D.47"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(schema::FindVersion(U(text)), nullptr);
        EXPECT_THROW(schema::RequireVersion(U(text)), VelthornError);
    }
}

// ---------------------------------------------------------------------------------------------
// Record layouts: where each value of a new part row sits (positions count from 1; 0 = absent).

struct LayoutCase {
    Layout layout = Layout::V31;
    const char* name = "";
    int count = 0;
    bool compactFind = false;  // find number is the compact number, not the brand rule
    int id = 0, kind = 0, find = 0, number = 0, number2 = 0, rKind = 0, rNumber = 0, eName = 0,
        tKey = 0, eFind = 0, tFind = 0, tName = 0, model = 0, import = 0;
    bool importStar = false;  // Import left empty in the replacement row
    int price = 0, sale = 0, brand = 0, full = 0, stamp = 0, ownFlag = 0, differs = 0, altFlag = 0;
    // Fillers other than 0: yes, no, the literal 1 and the empty text.
    std::vector<int> yes = {}, no = {}, ones = {}, empty = {};
};

const std::vector<LayoutCase>& ExpectedLayouts() {
    // clang-format off
    static const std::vector<LayoutCase> layouts = {
        {.layout = Layout::V31, .name = "V31", .count = 39,
         .id = 2, .kind = 3, .find = 4, .number = 5, .rKind = 6, .rNumber = 7,
         .eName = 9, .tKey = 10, .tName = 11, .model = 13, .import = 15, .importStar = true,
         .price = 17, .sale = 19, .brand = 29, .full = 32,
         .yes = {21}, .no = {22}, .empty = {8, 12, 14, 16, 23}},
        {.layout = Layout::V33, .name = "V33", .count = 40,
         .id = 2, .kind = 3, .find = 4, .number = 5, .rKind = 6, .rNumber = 7,
         .eName = 9, .tKey = 10, .tName = 11, .model = 13, .import = 15,
         .price = 17, .sale = 19, .brand = 30, .full = 33,
         .yes = {21}, .no = {22, 23}, .empty = {8, 12, 14, 16, 24}},
        {.layout = Layout::V34, .name = "V34", .count = 42,
         .id = 2, .kind = 3, .find = 4, .number = 5, .rKind = 6, .rNumber = 7,
         .eName = 9, .tKey = 10, .tName = 11, .model = 13, .import = 15,
         .price = 17, .sale = 19, .brand = 32, .full = 35, .ownFlag = 24, .differs = 25,
         .empty = {8, 12, 14, 16, 26}},
        {.layout = Layout::V42, .name = "V42", .count = 41,
         .id = 2, .kind = 3, .find = 4, .number = 5, .rKind = 6, .rNumber = 7,
         .eName = 9, .tKey = 10, .tName = 11, .model = 13, .import = 15,
         .price = 17, .sale = 19, .brand = 31, .full = 34,
         .yes = {23}, .no = {24}, .empty = {8, 12, 14, 16, 25}},
        {.layout = Layout::V43, .name = "V43", .count = 42,
         .id = 2, .kind = 3, .find = 4, .number = 5, .rKind = 6, .rNumber = 7,
         .eName = 9, .tKey = 10, .tName = 11, .model = 13, .import = 15,
         .price = 17, .sale = 19, .brand = 32, .full = 35,
         .yes = {24}, .no = {25}, .empty = {8, 12, 14, 16, 26}},
        {.layout = Layout::V45, .name = "V45", .count = 40,
         .id = 2, .kind = 3, .find = 4, .number = 5, .rKind = 6, .rNumber = 7,
         .eName = 9, .tKey = 10, .tName = 11, .model = 13, .import = 16,
         .price = 18, .sale = 20, .brand = 30, .full = 33,
         .yes = {22}, .no = {23}, .empty = {8, 12, 14, 15, 17, 24}},
        {.layout = Layout::V46, .name = "V46", .count = 41,
         .id = 2, .kind = 3, .find = 4, .number = 5, .rKind = 6, .rNumber = 7,
         .eName = 9, .tKey = 10, .tName = 11, .model = 13, .import = 15,
         .price = 17, .sale = 19, .brand = 30, .full = 33, .stamp = 41,
         .yes = {21}, .no = {22}, .empty = {8, 12, 14, 16, 23, 24}},
        {.layout = Layout::P43, .name = "P43", .count = 43,
         .id = 2, .kind = 3, .find = 4, .number = 5, .rKind = 6, .rNumber = 7,
         .eName = 9, .tKey = 10, .tName = 11, .model = 13, .import = 15,
         .price = 17, .sale = 21, .brand = 33, .full = 36,
         .yes = {25}, .no = {26}, .empty = {8, 12, 14, 16, 27}},
        {.layout = Layout::P44, .name = "P44", .count = 42,
         .id = 2, .kind = 3, .find = 4, .number = 5, .rKind = 6, .rNumber = 7,
         .eName = 9, .tKey = 10, .tName = 11, .model = 13, .import = 15, .importStar = true,
         .price = 17, .sale = 19, .brand = 32, .full = 35,
         .yes = {24}, .no = {25}, .empty = {8, 12, 14, 16, 26}},
        {.layout = Layout::P45, .name = "P45", .count = 47,
         .id = 2, .kind = 3, .find = 4, .number = 5, .number2 = 9, .rKind = 6, .rNumber = 7,
         .eName = 10, .tKey = 11, .tName = 12, .model = 14, .import = 16,
         .price = 17, .sale = 21, .brand = 37, .full = 40,
         .empty = {8, 13, 15, 28, 29, 30, 31}},
        {.layout = Layout::P46, .name = "P46", .count = 42,
         .id = 2, .kind = 3, .find = 4, .number = 5, .rKind = 6, .rNumber = 7,
         .eName = 9, .tKey = 10, .tName = 11, .model = 13, .import = 15,
         .price = 17, .sale = 19, .brand = 32, .full = 35,
         .yes = {24}, .no = {25}, .empty = {8, 12, 14, 16, 18, 20, 26}},
        {.layout = Layout::P48, .name = "P48", .count = 43, .compactFind = true,
         .id = 2, .kind = 3, .find = 4, .number = 5, .number2 = 6, .rKind = 7, .rNumber = 8,
         .eName = 10, .tKey = 11, .tName = 12, .model = 14, .import = 16,
         .price = 18, .sale = 20, .brand = 33, .full = 36,
         .yes = {25}, .no = {26}, .empty = {9, 13, 15, 17, 19, 21, 27}},
        {.layout = Layout::P49, .name = "P49", .count = 27, .compactFind = true,
         .id = 2, .kind = 3, .find = 4, .number = 5, .number2 = 6, .rKind = 7, .rNumber = 8,
         .eName = 10, .tKey = 11, .tName = 12, .model = 14, .import = 16,
         .price = 18, .sale = 20, .altFlag = 1,
         .ones = {23}, .empty = {9, 13, 15, 17, 19, 21, 22}},
        {.layout = Layout::P52, .name = "P52", .count = 38,
         .id = 2, .kind = 3, .find = 4, .number = 5, .rKind = 6, .rNumber = 7,
         .eName = 10, .eFind = 9, .tFind = 11, .tName = 12, .model = 14, .import = 16,
         .price = 17, .sale = 19, .brand = 29, .full = 32,
         .empty = {8, 13, 15, 22, 27}},
        {.layout = Layout::P61, .name = "P61", .count = 42,
         .id = 2, .kind = 3, .find = 4, .number = 5, .rKind = 6, .rNumber = 7,
         .eName = 9, .tKey = 10, .tName = 11, .model = 13, .import = 15,
         .price = 17, .sale = 19, .brand = 32, .full = 35,
         .ones = {24}, .empty = {8, 12, 14, 16, 18, 20, 26}},
        {.layout = Layout::P64, .name = "P64", .count = 36,
         .id = 3, .kind = 4, .find = 5, .number = 6, .rKind = 7, .rNumber = 8,
         .eName = 12, .eFind = 11, .tFind = 13, .tName = 14, .model = 16, .import = 18,
         .price = 19, .sale = 21,
         .empty = {9, 10, 15, 17, 24, 30, 31, 35, 36}},
    };
    // clang-format on
    return layouts;
}

// A staged row whose every value can be told apart from the fillers.
PartRowValues SampleRow(SlotRole role) {
    PartRowValues row;
    row.role = role;
    row.id = 7001;
    row.kind = U("K");
    row.number = U("N-1");
    row.find = U("F1");
    row.full = U("K-N-1");
    row.rKind = U("RK");
    row.rNumber = U("RN");
    row.eName = U("EN");
    row.tKey = U("TK");
    row.tName = U("TN");
    row.eFind = U("EF");
    row.tFind = U("TF");
    row.model = U("MD");
    row.import = U("IM");
    row.price = Amt("125");
    row.sale = Amt("99.5");
    row.brandId = 5;
    row.stamp = 25670310;
    return row;
}

// Position (1-based) -> value written in the own slot's row of SampleRow.
std::map<int, QString> NamedValues(const LayoutCase& c) {
    std::map<int, QString> named;
    auto put = [&named](int position, const char* value) {
        if (position > 0) named[position] = U(value);
    };
    put(c.id, "7001");
    put(c.kind, "'K'");
    put(c.find, "'F1'");
    put(c.number, "'N-1'");
    put(c.number2, "'N-1'");
    put(c.rKind, "'RK'");
    put(c.rNumber, "'RN'");
    put(c.eName, "'EN'");
    put(c.tKey, "'TK'");
    put(c.eFind, "'EF'");
    put(c.tFind, "'TF'");
    put(c.tName, "'TN'");
    put(c.model, "'MD'");
    put(c.import, "'IM'");
    put(c.price, "125");
    put(c.sale, "99.5");
    put(c.brand, "5");
    put(c.full, "'K-N-1'");
    put(c.stamp, "25670310");
    put(c.ownFlag, "1");  // the own slot's row
    put(c.differs, "1");  // 125 against 99.5
    put(c.altFlag, "0");  // not the alternate slot's row
    for (int position : c.yes)
        put(position, "True");
    for (int position : c.no)
        put(position, "False");
    for (int position : c.ones)
        put(position, "1");
    for (int position : c.empty)
        put(position, "''");
    return named;
}

std::vector<QString> Render(Layout layout, const PartRowValues& row,
                            Dialect dialect = Dialect::File) {
    return schema::RenderPartRow(schema::GetLayout(layout), row, dialect);
}

TEST(Layouts, SixteenLayoutsWithTheirValueCountsAndFlags) {
    const auto& all = schema::AllLayouts();
    ASSERT_EQ(all.size(), 16u);
    for (const LayoutCase& c : ExpectedLayouts()) {
        SCOPED_TRACE(c.name);
        const schema::LayoutInfo& info = schema::GetLayout(c.layout);
        EXPECT_EQ(info.layout, c.layout);
        EXPECT_EQ(info.name, U(c.name));
        EXPECT_EQ(static_cast<int>(info.words.size()), c.count);
        EXPECT_EQ(info.compactFind, c.compactFind);
    }
}

TEST(Layouts, EveryValueSitsAtItsPositionAndTheRestAreZeros) {
    for (const LayoutCase& c : ExpectedLayouts()) {
        SCOPED_TRACE(c.name);
        const std::vector<QString> values = Render(c.layout, SampleRow(SlotRole::Own));
        ASSERT_EQ(static_cast<int>(values.size()), c.count);
        const std::map<int, QString> named = NamedValues(c);
        for (int position = 1; position <= c.count; ++position) {
            SCOPED_TRACE(position);
            const auto it = named.find(position);
            EXPECT_EQ(values[position - 1], it != named.end() ? it->second : U("0"));
        }
    }
}

TEST(Layouts, QuotedValuesAreTheTextWords) {
    for (const LayoutCase& c : ExpectedLayouts()) {
        SCOPED_TRACE(c.name);
        const schema::LayoutInfo& info = schema::GetLayout(c.layout);
        const std::vector<QString> values = Render(c.layout, SampleRow(SlotRole::Own));
        ASSERT_EQ(values.size(), info.words.size());
        for (size_t i = 0; i < values.size(); ++i) {
            SCOPED_TRACE(i + 1);
            EXPECT_EQ(values[i].startsWith(u'\''), schema::IsTextWord(info.words[i]));
        }
    }
}

TEST(Layouts, ParseWordsReadsAListAndRejectsUnknownWords) {
    const std::vector<Word> words = schema::ParseWords(U("0, id, 'kind', '', True, stamp"));
    const std::vector<Word> expected = {Word::Zero,  Word::Id,   Word::Kind,
                                        Word::Empty, Word::True, Word::Stamp};
    EXPECT_EQ(words, expected);
    EXPECT_THROW(schema::ParseWords(U("0, id, 'bogus'")), VelthornError);
    EXPECT_THROW(schema::ParseWords(U("0, Kind")), VelthornError);
}

// ---------------------------------------------------------------------------------------------
// One staged row, three part rows: what changes from slot to slot.

TEST(PartRows, ReplacementNumberOnlyInTheOwnRowAndImportStarOnlyEmptyInTheReplacementRow) {
    for (const LayoutCase& c : ExpectedLayouts()) {
        SCOPED_TRACE(c.name);
        const std::vector<QString> own = Render(c.layout, SampleRow(SlotRole::Own));
        const std::vector<QString> rep = Render(c.layout, SampleRow(SlotRole::Replacement));
        const std::vector<QString> alt = Render(c.layout, SampleRow(SlotRole::Alternate));
        ASSERT_EQ(own.size(), rep.size());
        ASSERT_EQ(own.size(), alt.size());

        EXPECT_EQ(own[c.rKind - 1], U("'RK'"));
        EXPECT_EQ(own[c.rNumber - 1], U("'RN'"));
        EXPECT_EQ(rep[c.rKind - 1], U("''"));
        EXPECT_EQ(rep[c.rNumber - 1], U("''"));
        EXPECT_EQ(alt[c.rKind - 1], U("''"));
        EXPECT_EQ(alt[c.rNumber - 1], U("''"));

        EXPECT_EQ(own[c.import - 1], U("'IM'"));
        EXPECT_EQ(alt[c.import - 1], U("'IM'"));
        EXPECT_EQ(rep[c.import - 1], c.importStar ? U("''") : U("'IM'"));

        // Every other value is the same in all three rows.
        for (int position = 1; position <= c.count; ++position) {
            if (position == c.rKind || position == c.rNumber || position == c.import ||
                position == c.ownFlag || position == c.altFlag) {
                continue;
            }
            SCOPED_TRACE(position);
            EXPECT_EQ(rep[position - 1], own[position - 1]);
            EXPECT_EQ(alt[position - 1], own[position - 1]);
        }
    }
}

TEST(PartRows, V34MarksTheOwnRowAndWhetherPriceAndSaleDiffer) {
    struct Case {
        const char* price;
        const char* sale;
        SlotRole role;
        const char* pos24;
        const char* pos25;
    };
    const std::vector<Case> cases = {
        {"100", "90", SlotRole::Own, "1", "1"},
        {"100", "90", SlotRole::Replacement, "0", "1"},
        {"100", "90", SlotRole::Alternate, "0", "1"},
        {"100", "100", SlotRole::Own, "1", "0"},
        {"100", "100.0000", SlotRole::Replacement, "0", "0"},
        {"100", "100", SlotRole::Alternate, "0", "0"},
        {"100", "100.0001", SlotRole::Own, "1", "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.price) + " / " + c.sale + " / " +
                     std::to_string(static_cast<int>(c.role)));
        PartRowValues row = SampleRow(c.role);
        row.price = Amt(c.price);
        row.sale = Amt(c.sale);
        const std::vector<QString> values = Render(Layout::V34, row);
        ASSERT_EQ(values.size(), 42u);
        EXPECT_EQ(values[23], U(c.pos24));
        EXPECT_EQ(values[24], U(c.pos25));
    }
}

TEST(PartRows, P49StartsTheAlternateRowWithOne) {
    const std::vector<std::pair<SlotRole, const char*>> cases = {
        {SlotRole::Own, "0"}, {SlotRole::Replacement, "0"}, {SlotRole::Alternate, "1"}};
    for (const auto& [role, first] : cases) {
        SCOPED_TRACE(static_cast<int>(role));
        const std::vector<QString> values = Render(Layout::P49, SampleRow(role));
        ASSERT_EQ(values.size(), 27u);
        EXPECT_EQ(values[0], U(first));
    }
}

TEST(PartRows, V46WritesTheSameStampLastInEveryRow) {
    for (SlotRole role : {SlotRole::Own, SlotRole::Replacement, SlotRole::Alternate}) {
        SCOPED_TRACE(static_cast<int>(role));
        PartRowValues row = SampleRow(role);
        row.stamp = 25681231;
        const std::vector<QString> values = Render(Layout::V46, row);
        ASSERT_EQ(values.size(), 41u);
        EXPECT_EQ(values.back(), U("25681231"));
    }
    // No other layout writes the stamp.
    for (const LayoutCase& c : ExpectedLayouts()) {
        if (c.layout == Layout::V46) continue;
        SCOPED_TRACE(c.name);
        const std::vector<QString> values = Render(c.layout, SampleRow(SlotRole::Own));
        for (const QString& value : values)
            EXPECT_NE(value, U("25670310"));
    }
}

TEST(PartRows, P64OpensWithTwoZerosAndLeavesPositionTenEmpty) {
    for (SlotRole role : {SlotRole::Own, SlotRole::Replacement, SlotRole::Alternate}) {
        SCOPED_TRACE(static_cast<int>(role));
        const std::vector<QString> values = Render(Layout::P64, SampleRow(role));
        ASSERT_EQ(values.size(), 36u);
        EXPECT_EQ(values[0], U("0"));
        EXPECT_EQ(values[1], U("0"));
        EXPECT_EQ(values[9], U("''"));
    }
}

TEST(PartRows, SlotNumbersAndFullNumbersLandWhereTheLayoutWritesThem) {
    // P48, replacement number A-123: kind code, the number twice, the full number.
    PartRowValues rep = SampleRow(SlotRole::Replacement);
    rep.kind = U("A");
    rep.number = U("123");
    rep.find = U("123");
    rep.full = U("A-123");
    const std::vector<QString> p48 = Render(Layout::P48, rep);
    ASSERT_EQ(p48.size(), 43u);
    EXPECT_EQ(p48[2], U("'A'"));
    EXPECT_EQ(p48[4], U("'123'"));
    EXPECT_EQ(p48[5], U("'123'"));
    EXPECT_EQ(p48[35], U("'A-123'"));

    // V45, alternate number B-77: the full number at position 33.
    PartRowValues alt = SampleRow(SlotRole::Alternate);
    alt.kind = U("B");
    alt.number = U("77");
    alt.full = U("B-77");
    const std::vector<QString> v45 = Render(Layout::V45, alt);
    ASSERT_EQ(v45.size(), 40u);
    EXPECT_EQ(v45[32], U("'B-77'"));
}

TEST(PartRows, YesNoFollowsTheDialectAndNothingElseChanges) {
    bool sawYesNo = false;
    for (const LayoutCase& c : ExpectedLayouts()) {
        SCOPED_TRACE(c.name);
        const std::vector<QString> file = Render(c.layout, SampleRow(SlotRole::Own), Dialect::File);
        const std::vector<QString> server =
            Render(c.layout, SampleRow(SlotRole::Own), Dialect::SqlServer);
        ASSERT_EQ(file.size(), server.size());
        for (size_t i = 0; i < file.size(); ++i) {
            SCOPED_TRACE(i + 1);
            if (file[i] == U("True")) {
                EXPECT_EQ(server[i], U("1"));
                sawYesNo = true;
            } else if (file[i] == U("False")) {
                EXPECT_EQ(server[i], U("0"));
            } else {
                EXPECT_EQ(server[i], file[i]);
            }
        }
    }
    EXPECT_TRUE(sawYesNo);
    // V31 writes yes, then no, at positions 21 and 22.
    const std::vector<QString> v31 = Render(Layout::V31, SampleRow(SlotRole::Own));
    EXPECT_EQ(v31[20], U("True"));
    EXPECT_EQ(v31[21], U("False"));
}

TEST(PartRows, TextValuesWithQuotesAreDoubled) {
    PartRowValues row = SampleRow(SlotRole::Own);
    row.eName = U("O'Neil");
    row.model = U("'97");
    const std::vector<QString> values = Render(Layout::V31, row);
    EXPECT_EQ(values[8], U("'O''Neil'"));
    EXPECT_EQ(values[12], U("'''97'"));
}

TEST(PartRows, WholeInsertStatements) {
    PartRowValues own;
    own.role = SlotRole::Own;
    own.id = 7001;
    own.kind = U("A");
    own.number = U("12-34");
    own.find = U("");
    own.full = U("A-12-34");
    own.rKind = U("B");
    own.rNumber = U("56");
    own.eName = U("BOLT");
    own.tKey = U("TK");
    own.tName = U("TN");
    own.model = U("M1");
    own.import = U("Y");
    own.price = Amt("125");
    own.sale = Amt("99.50");
    own.brandId = 5;
    EXPECT_EQ(product::InsertPartRow(5, Render(Layout::V31, own)),
              U("Insert Into Pta5 Values( 0, 7001, 'A', '', '12-34', 'B', '56', '', 'BOLT', 'TK', "
                "'TN', '', 'M1', '', 'Y', '', 125, 0, 99.5, 0, True, False, '', 0, 0, 0, 0, 0, 5, "
                "0, 0, 'A-12-34', 0, 0, 0, 0, 0, 0, 0 )"));

    PartRowValues alt = own;
    alt.role = SlotRole::Alternate;
    alt.id = 7003;
    alt.kind = U("C");
    alt.number = U("78");
    alt.find = U("78");
    alt.full = U("C-78");
    EXPECT_EQ(product::InsertPartRow(5, Render(Layout::P49, alt)),
              U("Insert Into Pta5 Values( 1, 7003, 'C', '78', '78', '78', '', '', '', 'BOLT', "
                "'TK', 'TN', '', 'M1', '', 'Y', '', 125, '', 99.5, '', '', 1, 0, 0, 0, 0 )"));
}

// ---------------------------------------------------------------------------------------------
// Table definitions: the part table carries each column where its layout writes it.

TEST(TableDefs, PartTableHasAColumnPerValueWithNamedColumnsInPlace) {
    for (const LayoutCase& c : ExpectedLayouts()) {
        SCOPED_TRACE(c.name);
        const schema::TableDef table = schema::PartTable(c.layout, 5);
        EXPECT_EQ(table.name, U("Pta5"));
        ASSERT_EQ(static_cast<int>(table.columns.size()), c.count);

        auto nameAt = [&table](int position) { return table.columns[position - 1].name; };
        auto expectColumn = [&](int position, const char* name) {
            if (position == 0) return;
            SCOPED_TRACE(name);
            EXPECT_EQ(nameAt(position), U(name));
            EXPECT_EQ(table.indexOf(U(name)), position - 1);
        };
        expectColumn(c.id, "PartID");
        expectColumn(c.kind, "Kind");
        expectColumn(c.find, "FPartNO");
        expectColumn(c.number, "PartNO");
        expectColumn(c.rNumber, "lAtNO");
        expectColumn(c.eName, "EName");
        expectColumn(c.tKey, "IndTName");
        expectColumn(c.eFind, "EFind");
        expectColumn(c.tFind, "TFind");
        expectColumn(c.tName, "TName");
        expectColumn(c.model, "Model");
        expectColumn(c.import, "Import");
        expectColumn(c.brand, "BrandID");
        const bool priceOne = c.layout == Layout::P45;
        expectColumn(c.price, priceOne ? "Price1" : "Price");
        expectColumn(c.sale, priceOne ? "Sale1" : "Sale");
        if (!priceOne) {
            EXPECT_EQ(table.indexOf(U("Price1")), -1);
            EXPECT_EQ(table.indexOf(U("Sale1")), -1);
        }
        if (c.layout != Layout::P52 && c.layout != Layout::P64) {
            EXPECT_EQ(table.indexOf(U("EFind")), -1);
            EXPECT_EQ(table.indexOf(U("TFind")), -1);
        } else {
            EXPECT_EQ(table.indexOf(U("IndTName")), -1);
        }

        // A second copy of the number is a text column of its own.
        if (c.number2 > 0) {
            EXPECT_NE(nameAt(c.number2), U("PartNO"));
            EXPECT_EQ(table.columns[c.number2 - 1].type, ColumnType::Text);
        }

        // The protection flag exists and new rows write 0 into it.
        const int upRec = table.indexOf(U("UpRec"));
        ASSERT_GE(upRec, 0);
        EXPECT_EQ(Render(c.layout, SampleRow(SlotRole::Own))[upRec], U("0"));
        for (SlotRole role : {SlotRole::Replacement, SlotRole::Alternate}) {
            EXPECT_EQ(Render(c.layout, SampleRow(role))[upRec], U("0"));
        }
    }
}

TEST(TableDefs, PartTableColumnTypesFitTheValuesWritten) {
    for (const LayoutCase& c : ExpectedLayouts()) {
        SCOPED_TRACE(c.name);
        const schema::TableDef table = schema::PartTable(c.layout, 12);
        EXPECT_EQ(table.name, U("Pta12"));
        const std::vector<QString> values = Render(c.layout, SampleRow(SlotRole::Own));
        ASSERT_EQ(table.columns.size(), values.size());
        for (size_t i = 0; i < values.size(); ++i) {
            SCOPED_TRACE(i + 1);
            const ColumnType type = table.columns[i].type;
            const int position = static_cast<int>(i) + 1;
            if (values[i].startsWith(u'\'')) {
                EXPECT_EQ(type, ColumnType::Text);
            } else if (values[i] == U("True") || values[i] == U("False")) {
                EXPECT_EQ(type, ColumnType::YesNo);
            } else if (position == c.price || position == c.sale) {
                EXPECT_EQ(type, ColumnType::Amount);
            } else {
                EXPECT_NE(type, ColumnType::Text);
            }
        }
    }
}

TEST(TableDefs, P45KeepsPriceAndSaleBesidePrice1AndSale1) {
    const schema::TableDef table = schema::PartTable(Layout::P45, 5);
    EXPECT_EQ(table.indexOf(U("PartNO")), 4);
    EXPECT_EQ(table.columns[8].type, ColumnType::Text);  // the number's second copy
    EXPECT_EQ(table.indexOf(U("Price1")), 16);
    EXPECT_EQ(table.indexOf(U("Sale1")), 20);
    EXPECT_EQ(table.columns[16].type, ColumnType::Amount);
    EXPECT_EQ(table.columns[20].type, ColumnType::Amount);
}

TEST(TableDefs, AlternateGroupAndFactoryTablesByPosition) {
    struct Case {
        const char* version;
        int altColumns;
        int aPrice;
        int aSale;
    };
    for (const Case& c :
         {Case{"V.31", 4, 3, -1}, Case{"P.49 (Bar)", 6, 4, 5}, Case{"P.45 (Bar)", 4, 3, -1}}) {
        SCOPED_TRACE(c.version);
        std::map<QString, schema::TableDef> tables;
        for (const schema::TableDef& table : schema::BrandTables(U(c.version), 7)) {
            tables.emplace(table.name, table);
        }
        ASSERT_EQ(tables.count(U("Pta7")), 1u);
        ASSERT_EQ(tables.count(U("Alt7")), 1u);
        ASSERT_EQ(tables.count(U("AltG7")), 1u);
        ASSERT_EQ(tables.count(U("FacD7")), 1u);

        const schema::TableDef& alt = tables.at(U("Alt7"));
        EXPECT_EQ(static_cast<int>(alt.columns.size()), c.altColumns);
        EXPECT_EQ(alt.indexOf(U("AltID")), 0);
        EXPECT_EQ(alt.indexOf(U("APrice")), c.aPrice);
        EXPECT_EQ(alt.indexOf(U("ASale")), c.aSale);

        const schema::TableDef& altG = tables.at(U("AltG7"));
        ASSERT_EQ(altG.columns.size(), 3u);
        EXPECT_EQ(altG.indexOf(U("PartID")), 1);
        EXPECT_EQ(altG.indexOf(U("AltID")), 2);

        const schema::TableDef& facD = tables.at(U("FacD7"));
        ASSERT_EQ(facD.columns.size(), 3u);
        EXPECT_EQ(facD.indexOf(U("PartID")), 1);
        EXPECT_EQ(facD.indexOf(U("FacID")), 2);
    }
}

TEST(TableDefs, StagingAndListTablesInTheirPositionalOrder) {
    const std::vector<schema::TableDef> tables = schema::ProductTables(U("V.31"), 5);
    const schema::TableDef* staging = nullptr;
    for (const schema::TableDef& table : tables) {
        if (table.name == U("PriceList")) staging = &table;
    }
    ASSERT_NE(staging, nullptr);
    const QStringList stagingColumns = {
        U("BrandID"), U("PartNO"), U("Kind"),  U("lAtNO"),  U("lKind"), U("AltNO"), U("AKind"),
        U("EName"),   U("TName"),  U("Model"), U("Import"), U("Price"), U("Sale")};
    ASSERT_EQ(staging->columns.size(), static_cast<size_t>(stagingColumns.size()));
    for (qsizetype i = 0; i < stagingColumns.size(); ++i) {
        EXPECT_EQ(staging->columns[i].name, stagingColumns[i]);
    }

    const QStringList listColumns = {
        U("Kind"),  U("PartNO"), U("PartNew"), U("FPartNew"), U("lKind"),  U("lAtNO"), U("AKind"),
        U("AltNO"), U("EName"),  U("TName"),   U("Model"),    U("Import"), U("Price"), U("Sale")};
    for (const QString& name : {U("PriceList_3"), U("PriceListAll")}) {
        SCOPED_TRACE(name.toStdString());
        const schema::TableDef list = schema::ListTable(name);
        EXPECT_EQ(list.name, name);
        ASSERT_EQ(list.columns.size(), static_cast<size_t>(listColumns.size()));
        for (qsizetype i = 0; i < listColumns.size(); ++i) {
            EXPECT_EQ(list.columns[i].name, listColumns[i]);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Statement texts, exactly as the databases receive them.

struct StatementCase {
    QString actual;
    const char* expected;
};

void CheckStatements(const std::vector<StatementCase>& cases) {
    for (const StatementCase& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(c.actual, U(c.expected));
    }
}

product::StagedRow SampleStaged() {
    product::StagedRow row;
    row.kind = U("A");
    row.partNO = U("12-34");
    row.lKind = U("B");
    row.lAtNO = U("56");
    row.aKind = U("C");
    row.altNO = U("78");
    row.eName = U("BOLT");
    row.tName = U("สลัก");
    row.model = U("M1, M2");
    row.import = U("Y");
    row.price = Amt("125.0000");
    row.sale = Amt("99.50");
    return row;
}

TEST(ProductStatements, VersionBrandAndIdentifierReads) {
    CheckStatements({
        {product::SelectVersion(), "Select Ver From System "},
        {product::SelectBrandID(U("DAIHATSU")),
         "Select BrandID From Brand Where BrandName = 'DAIHATSU'"},
        {product::SelectBrandID(U("DAIHATSU_U")),
         "Select BrandID From Brand Where BrandName = 'DAIHATSU_U'"},
        {product::SelectBrandID(U("UD")), "Select BrandID From Brand Where BrandName = 'UD'"},
        {product::SelectOldID(U("Pta5")),
         "Select OldID From OldID Where NameID = 'Pta5' Order By OldID"},
        {product::SelectLastID(U("Pta5")),
         "Select NameID, LastID From LastID Where NameID = 'Pta5'"},
    });
}

TEST(ProductStatements, PartLookupsByKindAndNumberOrFindNumber) {
    const product::PartKey kindFind{U("A"), true, U("123456")};
    const product::PartKey kindNumber{U("A"), false, U("12-34 5/6")};
    const product::PartKey find{U(""), true, U("123456")};
    const product::PartKey number{U(""), false, U("12-34 5/6")};
    CheckStatements({
        {product::SelectMatches(5, kindFind),
         "Select UpRec, PartID From Pta5 Where Kind = 'A' And FPartNO = '123456'"},
        {product::SelectMatches(5, kindNumber),
         "Select UpRec, PartID From Pta5 Where Kind = 'A' And PartNO = '12-34 5/6'"},
        {product::SelectMatches(5, find),
         "Select UpRec, PartID From Pta5 Where FPartNO = '123456'"},
        {product::SelectMatches(5, number),
         "Select UpRec, PartID From Pta5 Where PartNO = '12-34 5/6'"},
        {product::SelectPartID(12, kindNumber),
         "Select PartID From Pta12 Where Kind = 'A' And PartNO = '12-34 5/6'"},
        {product::SelectPartID(5, number), "Select PartID From Pta5 Where PartNO = '12-34 5/6'"},
        {product::SelectPartID(5, kindFind),
         "Select PartID From Pta5 Where Kind = 'A' And FPartNO = '123456'"},
        {product::SelectPartID(5, find), "Select PartID From Pta5 Where FPartNO = '123456'"},
        {product::SelectStoredPrices(5, true, kindFind),
         "Select Price1, Sale1 From Pta5 Where Kind = 'A' And FPartNO = '123456'"},
        {product::SelectStoredPrices(5, true, find),
         "Select Price1, Sale1 From Pta5 Where FPartNO = '123456'"},
        {product::SelectStoredPrices(5, false, kindFind),
         "Select Price, Sale From Pta5 Where Kind = 'A' And FPartNO = '123456'"},
        {product::SelectStoredPrices(5, false, find),
         "Select Price, Sale From Pta5 Where FPartNO = '123456'"},
        {product::SelectStoredPrices(5, false, kindNumber),
         "Select Price, Sale From Pta5 Where Kind = 'A' And PartNO = '12-34 5/6'"},
        {product::SelectStoredPrices(5, false, number),
         "Select Price, Sale From Pta5 Where PartNO = '12-34 5/6'"},
    });
}

TEST(ProductStatements, UpdatesOfExistingParts) {
    const Currency price = Amt("125");
    const Currency sale = Amt("99.5");
    CheckStatements({
        {product::UpdatePart(5, 7, {{U("lAtNO"), U("'56'")}}),
         "Update Pta5 Set lAtNO = '56' Where PartID = 7"},
        {product::UpdatePart(5, 7, {{U("EFind"), U("'BOLT  M1'")}, {U("EName"), U("'BOLT'")}}),
         "Update Pta5 Set EFind = 'BOLT  M1', EName = 'BOLT' Where PartID = 7"},
        {product::UpdatePart(5, 7, {{U("Price1"), U("125")}, {U("Sale1"), U("99.5")}}),
         "Update Pta5 Set Price1 = 125, Sale1 = 99.5 Where PartID = 7"},
        {product::UpdateShared(U("MovementStock"), U("EName"), U("BOLT"), 7, 5),
         "Update MovementStock Set EName = 'BOLT' Where PartID = 7 And BrandID = 5"},
        {product::UpdateShared(U("Price"), U("TName"), U("สลัก"), 7, 5),
         "Update Price Set TName = 'สลัก' Where PartID = 7 And BrandID = 5"},
        {product::UpdateShared(U("Sale"), U("Model"), U("M1"), 7, 5),
         "Update Sale Set Model = 'M1' Where PartID = 7 And BrandID = 5"},
        {product::UpdateSpg(U("EName"), U("'BOLT'"), 5, 7),
         "Update SPG Set EName = 'BOLT' Where BrandID = 5 And PartID = 7"},
        {product::UpdateSpg(U("Price"), U("125"), 5, 7),
         "Update SPG Set Price = 125 Where BrandID = 5 And PartID = 7"},
        {product::UpdateAltPrices(5, 7, price, nullptr),
         "Update Alt5 Set APrice = 125 Where AltID = 7"},
        {product::UpdateAltPrices(5, 7, price, &sale),
         "Update Alt5 Set APrice = 125, ASale = 99.5 Where AltID = 7"},
        {product::SelectPriceReadBack(5, 7, true, price, sale),
         "Select PartID From Pta5 Where PartID = 7 And Price1 = 125 And Sale1 = 99.5"},
        {product::SelectPriceReadBack(5, 7, false, price, sale),
         "Select PartID From Pta5 Where PartID = 7 And Price = 125 And Sale = 99.5"},
    });
}

TEST(ProductStatements, StagingTable) {
    CheckStatements({
        {product::DeleteStaged(5), "Delete From PriceList Where BrandID = 5"},
        {product::InsertStaged(5, SampleStaged()),
         "Insert Into PriceList Values( 5, '12-34', 'A', '56', 'B', '78', 'C', 'BOLT', 'สลัก', "
         "'M1, M2', 'Y', 125, 99.5 )"},
        {product::InsertStaged(
             5, product::StagedRow{U(""), U("12-34"), U(""), U(""), U(""), U(""), U(""), U(""),
                                   U(""), U(""), Amt("0"), Amt("0.0001")}),
         "Insert Into PriceList Values( 5, '12-34', '', '', '', '', '', '', '', '', '', 0, "
         "0.0001 )"},
        {product::SelectStagedReadBack(5, U("A"), U("12-34")),
         "Select PartNO From PriceList Where BrandID = 5 And Kind = 'A' And PartNO = '12-34'"},
        {product::SelectStagedReadBack(5, U(""), U("12-34")),
         "Select PartNO From PriceList Where BrandID = 5 And PartNO = '12-34'"},
        {product::SelectStagedNumbers(5), "Select PartNO From PriceList Where BrandID = 5"},
        {product::SelectStagedRows(5),
         "Select Kind, PartNO, lKind, lAtNO, AKind, AltNO, EName, TName, Model, Import, Price, "
         "Sale From PriceList Where BrandID = 5 Order By PartNO"},
        {product::DeleteStagedRow(5, U("A"), U("12-34")),
         "Delete From PriceList Where BrandID = 5 And Kind = 'A' And PartNO = '12-34'"},
        {product::DeleteStagedRow(5, U(""), U("12-34")),
         "Delete From PriceList Where BrandID = 5 And PartNO = '12-34'"},
    });
}

TEST(ProductStatements, AlternatePriceRowsAndPlaceholders) {
    CheckStatements({
        {product::InsertAltRow(5, 7001, U("A"), U("12-34"), Amt("125")),
         "Insert Into Alt5 Values( 7001, 'A', '12-34', 125 )"},
        {product::InsertAltRow(5, 7001, U(""), U("12-34"), Amt("99.50")),
         "Insert Into Alt5 Values( 7001, '', '12-34', 99.5 )"},
        {product::InsertAltRowWithSale(5, 7001, U("A"), U("12-34"), Amt("125"), Amt("99.5")),
         "Insert Into Alt5 Values( 7001, 1, 'A', '12-34', 125, 99.5 )"},
        {product::DeleteAltPlaceholder(5), "Delete From Alt5 Where AltID = 0"},
        {product::InsertAltPlaceholder(5, false), "Insert Into Alt5 Values( 0, '', '', 0 )"},
        {product::InsertAltPlaceholder(5, true), "Insert Into Alt5 Values( 0, 0, '', '', 0, 0 )"},
        {product::DeleteGroupRows(5, 0), "Delete From AltG5 Where PartID = 0"},
    });
}

TEST(ProductStatements, GroupsFactoryLinksAndTheWorkList) {
    CheckStatements({
        {product::SelectAltGroup(5, 10),
         "Select Pta5.PartID From AltG5 Inner Join Pta5 On AltG5.AltID = Pta5.PartID Where "
         "AltG5.PartID = 10"},
        {product::SelectAltGroup(12, 3),
         "Select Pta12.PartID From AltG12 Inner Join Pta12 On AltG12.AltID = Pta12.PartID Where "
         "AltG12.PartID = 3"},
        {product::SelectFactoryLinks(5, 10),
         "Select Fac.FacID From FacD5 Inner Join Fac On FacD5.FacID = Fac.FacID Where PartID = "
         "10"},
        {product::DeleteGroupRows(5, 10), "Delete From AltG5 Where PartID = 10"},
        {product::InsertGroupRow(5, 10, 20), "Insert Into AltG5 Values( 0, 10, 20 )"},
        {product::InsertGroupRow(5, 10, 0), "Insert Into AltG5 Values( 0, 10, 0 )"},
        {product::DeleteFactoryLinks(5, 10), "Delete From FacD5 Where PartID = 10"},
        {product::InsertFactoryLink(5, 10, 7), "Insert Into FacD5 Values( 0, 10, 7 )"},
        {product::ClearWorkList(), "Delete From AltGX"},
        {product::FillWorkList(5), "Insert Into AltGX(PartID) Select PartID From Pta5"},
        {product::FillWorkList(12), "Insert Into AltGX(PartID) Select PartID From Pta12"},
        {product::SelectWorkList(), "Select PartID From AltGX"},
        {product::DeleteFromWorkList(10), "Delete From AltGX Where PartID = 10"},
    });
}

TEST(PriceListStatements, ChunksAndTheSecondPassTable) {
    pricelist::ListRow row;
    row.kind = U("A");
    row.partNO = U("12-34");
    row.partNew = U("12-34");
    row.fPartNew = U("1234");
    row.lKind = U("B");
    row.lAtNO = U("56");
    row.aKind = U("C");
    row.altNO = U("78");
    row.eName = U("BOLT");
    row.tName = U("สลัก");
    row.model = U("M1");
    row.import = U("Y");
    row.price = Amt("125");
    row.sale = Amt("0");
    CheckStatements({
        {pricelist::SelectChunkNumbers(), "Select Count From PriceList_Count Order By Count"},
        {pricelist::SelectChunkForTransfer(3),
         "Select Kind, PartNO, lKind, lAtNO, AKind, AltNO, EName, TName, Model, Import, Price, "
         "Sale From PriceList_3 Order By PartNO"},
        {pricelist::SelectChunkForTransfer(20),
         "Select Kind, PartNO, lKind, lAtNO, AKind, AltNO, EName, TName, Model, Import, Price, "
         "Sale From PriceList_20 Order By PartNO"},
        {pricelist::SelectChunkForCheck(3),
         "Select Kind, PartNO, PartNew, FPartNew, lKind, lAtNO, AKind, AltNO, EName, TName, "
         "Model, Import, Price, Sale From PriceList_3 Order By PartNO"},
        {pricelist::ClearSecondPass(), "Delete From PriceListAll"},
        {pricelist::InsertSecondPass(row),
         "Insert Into PriceListAll Values( 'A', '12-34', '12-34', '1234', 'B', '56', 'C', '78', "
         "'BOLT', 'สลัก', 'M1', 'Y', 125, 0 )"},
        {pricelist::SelectSecondPassReadBack(U("A"), U("12-34")),
         "Select PartNO From PriceListAll Where Kind = 'A' And PartNO = '12-34'"},
        {pricelist::SelectSecondPassReadBack(U(""), U("12-34")),
         "Select PartNO From PriceListAll Where PartNO = '12-34'"},
        {pricelist::SelectSecondPassPresence(),
         "Select PartNO, lAtNO, AltNO, EName, TName, Model, Price From PriceListAll"},
        {pricelist::SelectSecondPassRows(),
         "Select Kind, PartNO, EName, TName, Model, Import, Price, Sale From PriceListAll"},
    });
}

// ---------------------------------------------------------------------------------------------
// Every text a statement carries comes back whole, quotes included, as a bound value.

QStringList ValuesOf(const QString& sql) {
    QStringList values;
    for (const QVariant& value : velthorn::db::ShapeOf(sql).values)
        values << value.toString();
    return values;
}

TEST(StatementQuoting, TextsWithQuotesSurviveEveryBuilder) {
    const QString q = U("O'Neil");
    const QString k = U("A'");
    const QString n = U("12'34");
    product::StagedRow staged = SampleStaged();
    staged.kind = k;
    staged.partNO = n;
    staged.eName = q;
    pricelist::ListRow listRow;
    listRow.kind = k;
    listRow.partNO = n;
    listRow.tName = q;
    listRow.price = Amt("125");
    listRow.sale = Amt("99.5");
    const QString series = U("Pt'a5");

    struct Case {
        QString sql;
        QStringList values;
    };
    const std::vector<Case> cases = {
        {product::SelectBrandID(q), {q}},
        {product::SelectOldID(series), {series}},
        {product::SelectLastID(series), {series}},
        {product::DeleteOldID(series, 9), {series, U("9")}},
        {product::InsertLastID(series, 1), {series, U("1")}},
        {product::UpdateLastID(series, 42, 41), {U("42"), series, U("41")}},
        {product::SelectMatches(5, {k, true, n}), {k, n}},
        {product::SelectPartID(5, {k, false, n}), {k, n}},
        {product::SelectStoredPrices(5, true, {U(""), false, n}), {n}},
        {product::UpdateShared(U("MovementStock"), U("EName"), q, 7, 5), {q, U("7"), U("5")}},
        {product::InsertStaged(5, staged),
         {U("5"), n, k, U("56"), U("B"), U("78"), U("C"), q, U("สลัก"), U("M1, M2"), U("Y"),
          U("125"), U("99.5")}},
        {product::SelectStagedReadBack(5, k, n), {U("5"), k, n}},
        {product::DeleteStagedRow(5, k, n), {U("5"), k, n}},
        {product::InsertAltRow(5, 7, k, n, Amt("125")), {U("7"), k, n, U("125")}},
        {product::InsertAltRowWithSale(5, 7, k, n, Amt("125"), Amt("99.5")),
         {U("7"), U("1"), k, n, U("125"), U("99.5")}},
        {pricelist::InsertSecondPass(listRow),
         {k, n, U(""), U(""), U(""), U(""), U(""), U(""), U(""), q, U(""), U(""), U("125"),
          U("99.5")}},
        {pricelist::SelectSecondPassReadBack(k, n), {k, n}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sql.toStdString());
        EXPECT_EQ(ValuesOf(c.sql), c.values);
    }
}

TEST(StatementQuoting, IdentifierWritesQuoteTheSeries) {
    // The counter and pool writes carry the series between quotes, like the reads.
    EXPECT_TRUE(product::DeleteOldID(U("Pta5"), 9).contains(U("'Pta5'")));
    EXPECT_TRUE(product::InsertLastID(U("Pta5"), 1).contains(U("'Pta5'")));
    EXPECT_TRUE(product::UpdateLastID(U("Pta5"), 42, 41).contains(U("'Pta5'")));
    EXPECT_TRUE(product::UpdateLastID(U("Pt'a5"), 42, 41).contains(U("'Pt''a5'")));
}

// ---------------------------------------------------------------------------------------------
// Statement shapes: quoted texts and free numbers become parameters, names stay.

struct ShapeCase {
    const char* sql;
    const char* shape;
    std::vector<std::pair<const char*, bool>> values;  // text of the value, whether it is text
};

TEST(SqlShape, LiteralsBecomeParametersAndNamesStay) {
    const std::vector<ShapeCase> cases = {
        {"Select UpRec, PartID From Pta5 Where Kind = 'A' And FPartNO = '123456'",
         "Select UpRec, PartID From Pta5 Where Kind = ? And FPartNO = ?",
         {{"A", true}, {"123456", true}}},
        {"Update Pta5 Set Price = 99.5 Where PartID = 7",
         "Update Pta5 Set Price = ? Where PartID = ?",
         {{"99.5", false}, {"7", false}}},
        {"Select Pta12.PartID From AltG12 Inner Join Pta12 On AltG12.AltID = Pta12.PartID Where "
         "AltG12.PartID = 10",
         "Select Pta12.PartID From AltG12 Inner Join Pta12 On AltG12.AltID = Pta12.PartID Where "
         "AltG12.PartID = ?",
         {{"10", false}}},
        {"Select Kind, PartNO, lKind, lAtNO, AKind, AltNO, EName, TName, Model, Import, Price, "
         "Sale From PriceList_3 Order By PartNO",
         "Select Kind, PartNO, lKind, lAtNO, AKind, AltNO, EName, TName, Model, Import, Price, "
         "Sale From PriceList_3 Order By PartNO",
         {}},
        {"Insert Into Alt5 Values( 0, '', '', 0 )",
         "Insert Into Alt5 Values( ?, ?, ?, ? )",
         {{"0", false}, {"", true}, {"", true}, {"0", false}}},
        {"Update Pta5 Set EName = 'O''Neil' Where PartID = 7",
         "Update Pta5 Set EName = ? Where PartID = ?",
         {{"O'Neil", true}, {"7", false}}},
        {"Select PartID From Pta5 Where PartID = 7 And Price1 = 125 And Sale1 = 99.5",
         "Select PartID From Pta5 Where PartID = ? And Price1 = ? And Sale1 = ?",
         {{"7", false}, {"125", false}, {"99.5", false}}},
        {"Select PartID From Pta5 Where PartNO = 'A-12.5 (3) 7'",
         "Select PartID From Pta5 Where PartNO = ?",
         {{"A-12.5 (3) 7", true}}},
        {"Insert Into AltG12 Values( 0, 10, 20 )",
         "Insert Into AltG12 Values( ?, ?, ? )",
         {{"0", false}, {"10", false}, {"20", false}}},
        {"Select Ver From System ", "Select Ver From System ", {}},
        {"Select Count From PriceList_Count Order By Count",
         "Select Count From PriceList_Count Order By Count",
         {}},
        {"Insert Into AltGX(PartID) Select PartID From Pta5",
         "Insert Into AltGX(PartID) Select PartID From Pta5",
         {}},
        {"Delete From FacD12 Where PartID = 0",
         "Delete From FacD12 Where PartID = ?",
         {{"0", false}}},
        {"Insert Into PriceList Values( 5, 'สลัก''', '', 0.0001 )",
         "Insert Into PriceList Values( ?, ?, ?, ? )",
         {{"5", false}, {"สลัก'", true}, {"", true}, {"0.0001", false}}},
    };
    for (const ShapeCase& c : cases) {
        SCOPED_TRACE(c.sql);
        const velthorn::db::SqlShape shape = velthorn::db::ShapeOf(U(c.sql));
        EXPECT_EQ(shape.text, U(c.shape));
        ASSERT_EQ(shape.values.size(), static_cast<qsizetype>(c.values.size()));
        for (size_t i = 0; i < c.values.size(); ++i) {
            SCOPED_TRACE(i);
            const QVariant& value = shape.values[static_cast<qsizetype>(i)];
            const bool isText = value.typeId() == QMetaType::QString;
            EXPECT_EQ(isText, c.values[i].second);
            EXPECT_FALSE(value.isNull());
            if (isText) {
                // '' binds as an empty text, never as a missing value.
                EXPECT_FALSE(value.toString().isNull());
                EXPECT_EQ(value.toString(), U(c.values[i].first));
            } else {
                EXPECT_DOUBLE_EQ(value.toDouble(),
                                 QString::fromLatin1(c.values[i].first).toDouble());
            }
        }
    }
}

TEST(Currency, DriverTextOfAFloatIsTakenAsTheNumberItIs) {
    // Drivers may write a float column's value in full or with an exponent.
    EXPECT_EQ(Currency::FromVariant(QVariant(QString("33.299999999999997"))).units(), 333000);
    EXPECT_EQ(Currency::FromVariant(QVariant(QString("1.5e3"))).units(), 15000000);
    EXPECT_EQ(Currency::FromVariant(QVariant(QString("99.5000"))).units(), 995000);
    // As any conversion to the currency type: to the nearest ten-thousandth.
    EXPECT_EQ(Currency::FromVariant(QVariant(QString("1.00001"))).units(), 10000);
    EXPECT_EQ(Currency::FromVariant(QVariant(QString("1.00006"))).units(), 10001);
    EXPECT_THROW(Currency::FromVariant(QVariant(QString("12,50"))), VelthornError);
    EXPECT_THROW(Currency::FromVariant(QVariant(QString("1e30"))), VelthornError);
}

}  // namespace
