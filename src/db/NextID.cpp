// Identifier allocation: the smallest released identifier of the series, else the counter's next.
#include "db/Error.h"
#include "schema/ProductStatements.h"
#include "window/frmCorvatel.h"

namespace velthorn {

int32_t frmCorvatel::NextID(const QString& name) {
    namespace sql = schema::product;
    nextIdFailure_.clear();
    try {
        strSQL = sql::SelectOldID(name);
        OpenSql(*rsData, *cnData);
        // Released identifiers come smallest first; one that is not a valid identifier (0 or
        // less) is passed over, it could only make a part row no one can refer to.
        while (!rsData->isEOF()) {
            const int32_t released = rsData->Field(QStringLiteral("OldID")).int32();
            if (released > 0) {
                rsData->Close();
                // Every copy of it leaves the pool, so that it is handed out once.
                strSQL = sql::DeleteOldID(name, released);
                ExecuteSql(*cnData);
                return released;
            }
            rsData->MoveNext();
        }
        rsData->Close();

        strSQL = sql::SelectLastID(name);
        OpenSql(*rsData, *cnData);
        if (rsData->isEOF()) {
            rsData->Close();
            strSQL = sql::InsertLastID(name, 1);
            ExecuteSql(*cnData);
            return 1;
        }
        const int32_t last = rsData->Field(QStringLiteral("LastID")).int32();
        rsData->Close();
        if (last >= INT32_MAX || last < 0) {
            // No next value: refusing keeps every identifier handed out unique.
            throw VelthornError(
                QStringLiteral("the counter of %1 stands at %2 and has no next value")
                    .arg(name)
                    .arg(last));
        }
        const int32_t next = last + 1;
        strSQL = sql::UpdateLastID(name, next, last);
        qint64 changed = 0;
        ExecuteSql(*cnData, &changed);
        if (changed != 1) {
            throw VelthornError(
                QStringLiteral("the counter of %1 was changed by another user").arg(name));
        }
        return next;
    } catch (const VelthornError& error) {
        nextIdFailure_ = error.message();
        try {
            if (rsData->State() == db::adStateOpen) rsData->Close();
        } catch (...) {
        }
        return 0;
    }
}

}  // namespace velthorn
