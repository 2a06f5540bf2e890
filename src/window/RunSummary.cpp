#include "window/RunSummary.h"

#include <QLocale>

#include "window/Texts.h"

namespace velthorn {

QString RunSummary::Text() const {
    const QLocale c = QLocale::c();
    const auto n = [&c](int64_t value) { return c.toString(static_cast<qlonglong>(value)); };
    QString text = texts::kSummaryTitle + u'\n';
    if (preview) text += texts::kSummaryPreview + u'\n';
    text += texts::SummaryListRows(n(listRows)) + u'\n';
    text += texts::SummaryUpdated(n(partsUpdated), n(protectedUpdated)) + u'\n';
    text += texts::SummaryInserted(n(insertedOwn + insertedReplacement + insertedAlternate),
                                   n(insertedOwn), n(insertedReplacement), n(insertedAlternate)) +
            u'\n';
    text += texts::SummaryGroups(n(groupsRewritten)) + u'\n';
    text += texts::SummarySecondPass(n(secondPassRows)) + u'\n';
    text += texts::SummaryReport(n(reportLines));
    if (!backupFile.isEmpty()) text += u'\n' + texts::SummaryBackup(backupFile);
    return text;
}

}  // namespace velthorn
