#pragma once
// What one update run did, counted as it goes.
#include <QString>
#include <cstdint>

namespace velthorn {

struct RunSummary {
    int64_t listRows = 0;             // rows of the chunk tables read by the transfer
    int64_t partsUpdated = 0;         // part rows written by the merge (each time they are)
    int64_t protectedUpdated = 0;     // of them, protected rows: prices only
    int64_t insertedOwn = 0;          // new part rows: the staged numbers themselves
    int64_t insertedReplacement = 0;  //                their replacement numbers
    int64_t insertedAlternate = 0;    //                their alternate numbers
    int64_t groupsRewritten = 0;      // alternate-number groups written anew
    int64_t secondPassRows = 0;       // list rows copied for the second pass
    int64_t reportLines = 0;          // lines of the change report
    bool preview = false;             // the run was undone at its end
    QString backupFile;               // the copy written before the run

    // The summary as the operator reads it, a line per count.
    QString Text() const;
};

}  // namespace velthorn
