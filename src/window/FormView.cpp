#include "window/FormView.h"

namespace velthorn {

QString ControlName(Control control) {
    // In the order of the Control enumeration.
    static const char* const kNames[] = {
        "optAccess",  "txtDataSarnovik", "optSQL",       "Label4", "txtServer", "Label1",
        "txtdbq",     "chkComType",      "Label8",       "txtuid", "Label7",    "txtpwd",
        "chkLikelAt", "Label5",          "txtPriceList", "Label2", "txtQTY",    "Label3",
        "txtPartNO",  "cmdUpDate",       "msgDetail",
    };
    return QString::fromLatin1(kNames[static_cast<int>(control)]);
}

}  // namespace velthorn
