#include "schema/PartRows.h"

namespace velthorn::schema {

std::vector<QString> RenderPartRow(const LayoutInfo& layout, const PartRowValues& row,
                                   Dialect dialect) {
    const bool own = row.role == SlotRole::Own;
    std::vector<QString> values;
    values.reserve(layout.words.size());
    for (Word word : layout.words) {
        switch (word) {
            case Word::Zero:
                values.push_back(QStringLiteral("0"));
                break;
            case Word::One:
                values.push_back(QStringLiteral("1"));
                break;
            case Word::True:
                values.push_back(YesNo(true, dialect));
                break;
            case Word::False:
                values.push_back(YesNo(false, dialect));
                break;
            case Word::Empty:
                values.push_back(QStringLiteral("''"));
                break;
            case Word::Id:
                values.push_back(Num(row.id));
                break;
            case Word::Kind:
                values.push_back(Quote(row.kind));
                break;
            case Word::Find:
                values.push_back(Quote(row.find));
                break;
            case Word::Number:
                values.push_back(Quote(row.number));
                break;
            case Word::RKind:
                values.push_back(Quote(own ? row.rKind : QString()));
                break;
            case Word::RNumber:
                values.push_back(Quote(own ? row.rNumber : QString()));
                break;
            case Word::EName:
                values.push_back(Quote(row.eName));
                break;
            case Word::TKey:
                values.push_back(Quote(row.tKey));
                break;
            case Word::TName:
                values.push_back(Quote(row.tName));
                break;
            case Word::EFind:
                values.push_back(Quote(row.eFind));
                break;
            case Word::TFind:
                values.push_back(Quote(row.tFind));
                break;
            case Word::Model:
                values.push_back(Quote(row.model));
                break;
            case Word::Import:
                values.push_back(Quote(row.import));
                break;
            case Word::ImportStar:
                values.push_back(Quote(row.role == SlotRole::Replacement ? QString() : row.import));
                break;
            case Word::Price:
                values.push_back(Amount(row.price));
                break;
            case Word::Sale:
                values.push_back(Amount(row.sale));
                break;
            case Word::Brand:
                values.push_back(Num(row.brandId));
                break;
            case Word::Full:
                values.push_back(Quote(row.full));
                break;
            case Word::Stamp:
                values.push_back(Num(row.stamp));
                break;
            case Word::OwnFlag:
                values.push_back(own ? QStringLiteral("1") : QStringLiteral("0"));
                break;
            case Word::Differs:
                values.push_back(row.price != row.sale ? QStringLiteral("1") : QStringLiteral("0"));
                break;
            case Word::AltFlag:
                values.push_back(row.role == SlotRole::Alternate ? QStringLiteral("1")
                                                                 : QStringLiteral("0"));
                break;
        }
    }
    return values;
}

}  // namespace velthorn::schema
