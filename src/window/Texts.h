#pragma once
// Every text the operator sees, in one place. Blanks inside and around the texts are part of them.
#include <QString>

namespace velthorn::texts {

// --- window and controls
inline const QString kCaptionPrefix = QStringLiteral("Velthorn ");
inline const QString kOptAccess = QStringLiteral("ข้อมูล Access ที่จัดเก็บ Sarnovik");
inline const QString kOptSQL = QStringLiteral("ข้อมูล SQL");
inline const QString kLabel4 = QStringLiteral("Server Name");
inline const QString kLabel1 = QStringLiteral("Autherntication");
inline const QString kChkComType = QStringLiteral("เครื่องแม่");
inline const QString kLabel8 = QStringLiteral("Login");
inline const QString kLabel7 = QStringLiteral("Password");
inline const QString kChkLikelAtPrefix = QStringLiteral("จัดระเบียบเบอร์แทน  ");
inline const QString kLabel5 = QStringLiteral("ที่จัดเก็บข้อมูลPriceList");
inline const QString kLabel2 = QStringLiteral("ลำดับการทำงาน");
inline const QString kLabel3 = QStringLiteral("เบอร์อะไหล่");
inline const QString kCmdUpDate = QStringLiteral("UpDate");
inline const QString kDefaultDataPath = QStringLiteral("G:\\DataSarnovik\\Sarnovik.accdb");
inline const QString kDefaultPriceListPrefix = QStringLiteral("G:\\DataSarnovik\\PriceList_");
inline const QString kPriceListExtension = QStringLiteral(".mdb");

// --- grid headings, columns 1 to 7
inline const QString kGridHeadings[7] = {
    QStringLiteral("     ลำดับ"),
    QStringLiteral("  สินค้าใหม่"),
    QStringLiteral("               รหัสสินค้า"),
    QStringLiteral("                                   รายการ"),
    QStringLiteral("             รุ่น"),
    QStringLiteral("    ราคาเก่า"),
    QStringLiteral("   ราคาใหม่"),
};

// --- messages of the update run
inline QString PriceListPathEmpty(const QString& brand) {
    return QStringLiteral("ยังมิได้กำหนดที่อยู่ข้อมูล  PriceList_") + brand + QStringLiteral(".mdb");
}
inline QString PriceListNotFound(const QString& brand) {
    return QStringLiteral("ที่จัดเก็บข้อมูล  PriceList_") + brand + QStringLiteral(".mdb  หาไม่พบ");
}
inline const QString kDataPathEmpty = QStringLiteral("ยังมิได้กำหนดที่อยู่ข้อมูล");
inline const QString kDataAccdbNotFound = QStringLiteral("ที่จัดเก็บข้อมูล  Sarnovik.accdb  หาไม่พบ");
inline const QString kDataMdbNotFound = QStringLiteral("ที่จัดเก็บข้อมูล  Sarnovik.mdb  หาไม่พบ");
inline const QString kVersionRejected =
    QStringLiteral("กำหนด Vertion ของฐานข้อมูลผิด  ให้ติดต่อผู้ติดตั้งระบบ  หรือ  ผู้จำหน่าย Dovrantel");
inline QString BrandNotFound(const QString& brand) {
    return QStringLiteral("ไม่สามารถหา Files ") + brand + QStringLiteral(" ไม่สามารถบันทึกได้");
}
inline const QString kFinished = QStringLiteral("เสร็จแล้วจ้า");
inline const QString kFailed = QStringLiteral("ไม่สามรถบันทึกได้");

// --- progress lines
inline QString Staging(const QString& brand) {
    return QStringLiteral("กำลังย้าน  Price ") + brand + QStringLiteral("  ชั่วคราว");
}
inline const QString kTransferring = QStringLiteral("กำลังย้ายข้อมูล  ");
inline const QString kChangingPrices = QStringLiteral("กำลังเปลี่ยนราคา  ");
inline const QString kAddingNew = QStringLiteral("กำลังเพิ่มข้อมูลใหม่  ");
inline const QString kRegrouping = QStringLiteral("จัดระเบียบเบอร์แทนใหม่  ");
inline const QString kChecking = QStringLiteral("กำลังตรวจสอบข้อมูล  ");
// The opening line of both checking passes is spelt with ค; their other lines with ต.
inline const QString kCheckingStart = QStringLiteral("กำลังครวจสอบข้อมูล  ");
inline const QString kAllSuffix = QStringLiteral("_All  ");
inline const QString kHundredPercent = QStringLiteral("  100 %");
inline const QString kPercent = QStringLiteral(" %");
inline const QString kNewMark = QStringLiteral("New");

// --- the run summary
inline const QString kSummaryTitle = QStringLiteral("สรุปการทำงาน");
inline const QString kSummaryPreview =
    QStringLiteral("ทดลองดูผลเท่านั้น: ยกเลิกทุกรายการแล้ว ฐานข้อมูลไม่ถูกเปลี่ยนแปลง");
inline QString SummaryListRows(const QString& n) {
    return QStringLiteral("อ่านรายการราคา  ") + n + QStringLiteral("  แถว");
}
inline QString SummaryUpdated(const QString& n, const QString& locked) {
    return QStringLiteral("ปรับปรุงสินค้า  ") + n + QStringLiteral("  รายการ  (ล็อกไว้ ปรับเฉพาะราคา  ") +
           locked + QStringLiteral(")");
}
inline QString SummaryInserted(const QString& n, const QString& own, const QString& replacement,
                               const QString& alternate) {
    return QStringLiteral("เพิ่มสินค้าใหม่  ") + n + QStringLiteral("  รายการ  (เบอร์หลัก ") + own +
           QStringLiteral(", เบอร์แทน ") + replacement + QStringLiteral(", เบอร์เทียบ ") + alternate +
           QStringLiteral(")");
}
inline QString SummaryGroups(const QString& n) {
    return QStringLiteral("จัดกลุ่มเบอร์แทนใหม่  ") + n + QStringLiteral("  กลุ่ม");
}
inline QString SummarySecondPass(const QString& n) {
    return QStringLiteral("ส่งปรับราคารอบสอง  ") + n + QStringLiteral("  แถว");
}
inline QString SummaryReport(const QString& n) {
    return QStringLiteral("ราคาที่ยังต่างจากรายการ  ") + n + QStringLiteral("  รายการ");
}

inline QString SummaryBackup(const QString& path) {
    return QStringLiteral("สำรองข้อมูลก่อนบันทึกไว้ที่  ") + path;
}

// --- the grid's menu
inline const QString kCopy = QStringLiteral("copy");

}  // namespace velthorn::texts
